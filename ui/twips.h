#pragma once
#include <QRect>

namespace corvane {

// Form layouts are designed in twips (1440 per inch); at 96 logical dots per inch one
// logical pixel is 15 twips. Qt scales logical pixels on high-density screens itself.
inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest logical pixel so that adjacent boxes keep their shared edges.
constexpr int TwipsToPixels(int twips) {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

// Short name for layout code that converts many single lengths.
constexpr int Twips(int twips) { return TwipsToPixels(twips); }

inline QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

}  // namespace corvane

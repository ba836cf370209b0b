#include "ui/window_fonts.h"

#include <QApplication>
#include <QFontInfo>

namespace corvane {

namespace {
QFont FontOf(const QStringList& families, double pointSize, bool bold) {
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}
}  // namespace

// Wide sans-serif faces first (Verdana's width is what the layouts were drawn for), the
// narrower ones after; Nimbus Sans comes with ghostscript's fonts-urw-base35.
QStringList InterfaceFamilies() {
  return {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
          QStringLiteral("Noto Sans"), QStringLiteral("Nimbus Sans"), QStringLiteral("Droid Sans Fallback")};
}

QStringList NumberFamilies() {
  return {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
          QStringLiteral("Noto Mono"),   QStringLiteral("Noto Sans Mono"),  QStringLiteral("Nimbus Mono PS")};
}

QFont InterfaceFont(double pointSize, bool bold) { return FontOf(InterfaceFamilies(), pointSize, bold); }

QFont NumberFont(double pointSize) { return FontOf(NumberFamilies(), pointSize, false); }

void KeepTheDefaultFontProportional() {
  QFont font = QApplication::font();
  if (!QFontInfo(font).fixedPitch()) return;
  font.setFamilies(InterfaceFamilies());
  QApplication::setFont(font);
}

}  // namespace corvane

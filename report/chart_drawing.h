#pragma once
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <array>
#include <vector>

#include "app/chart.h"
#include "lagna/vargas.h"

class QPaintDevice;
class QPainter;

namespace corvane {

// One text of the drawn square chart, placed and sized.
struct ChartText {
  enum class Kind { kSignNumber, kSignName, kBody, kMark, kCentre };
  Kind kind;
  int sign;  // 0..11, -1 for the texts of the centre
  QString text;
  QFont font;
  QColor color;
  QRectF rect;
};

// The square chart laid out in one area: the twelve sign boxes in their fixed places
// (Pisces, Aries, Taurus, Gemini along the top, clockwise), the centre block and every text.
struct ChartLayout {
  QRectF frame;                  // the outer square
  std::array<QRectF, 12> boxes;  // by sign index, 0 Aries .. 11 Pisces
  QRectF centre;                 // the inner two-by-two block
  std::vector<ChartText> texts;
};

// Lays the chart out in the largest square centred in `area`, with text measured for
// `device`. Each box lists its bodies (the chart's body texts, with the retrograde mark) on
// the left and its lagna marks on the right; a crowded list first gets a smaller font, then
// two or three columns, so every entry stays inside its box.
// Which chart of a birth is drawn: the rasi chart, or varga number `varga` of `vargas`
// (captioned "D9 Navamsa" in the centre).
struct DrawnVarga {
  const VargaCharts* vargas = nullptr;
  int varga = 0;
};
ChartLayout LayoutChart(const Chart& chart, const QRectF& area, const QPaintDevice* device, DrawnVarga shown = {});

// Draws a laid-out chart: one rectangle per sign box, the outer frame and the texts.
void PaintChart(QPainter& painter, const ChartLayout& layout);

// Lays out and draws the chart in `area` of the painter's device.
void PaintChart(QPainter& painter, const Chart& chart, const QRectF& area, DrawnVarga shown = {});

// "5 June 1975, 07:05": the birth date and clock time.
QString BirthMomentText(const Chart& chart);

// "New Delhi, Delhi, India": the place texts that are not blank, comma-separated.
QString BirthPlaceText(const Chart& chart);

}  // namespace corvane

#pragma once
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "app/birth_sweep.h"

class QPainter;

namespace corvane {

// The birth-time sweep drawn as a timeline: a row of coloured bands per lagna (one colour
// per sign, the sign's short name in the band where it fits) and one for the Moon's
// nakshatra, hatched gaps across every row, a time axis below, and a vertical line at the
// given time. The printed reading, the pictures and the program's sweep window all draw it
// with this code.

// Where the parts of the timeline fall in an area.
class SweepGeometry {
 public:
  // 13 lagna rows and the nakshatra row.
  static constexpr int kRows = kLagnaCount + 1;

  SweepGeometry(const BirthSweep& sweep, const QRectF& area);

  QRectF area() const { return area_; }
  QRectF bands() const { return bands_; }  // the rows, without labels and axis
  const std::vector<SweepAxisPiece>& axis() const { return axis_; }  // the time axis, piece by piece
  double rowHeight() const { return rowHeight_; }
  QRectF labelRect(int row) const;
  QRectF rowRect(int row) const;
  // The x of a moment; a clock reading alone is one of the rows' readings.
  double xOf(const SweepMoment& moment) const;
  double xOf(const CivilDateTime& t) const { return xOf(SweepMoment{t, false}); }
  // The stretches of x that the readings [from, to) of the rows (or of the repeat's rows)
  // take on the axis: one, or two when a doubled stretch of the axis interrupts them.
  std::vector<std::pair<double, double>> spans(const CivilDateTime& from, const CivilDateTime& to,
                                               bool repeat = false) const;
  // The second of the window at an x (clamped into the window), and which reading it is.
  SweepMoment momentAt(double x) const;
  CivilDateTime timeAt(double x) const { return momentAt(x).time; }
  // The row at a y: 0..12 the lagnas, 13 the nakshatra; nothing outside the rows.
  std::optional<int> rowAt(double y) const;

 private:
  double xOfSecond(std::int64_t second) const;

  QRectF area_, bands_;
  double rowHeight_ = 0;
  std::vector<SweepAxisPiece> axis_;
  std::int64_t seconds_ = 1;
};

// The fill of a sign's bands: twelve hues a twelfth of the circle apart, light enough for
// dark text.
QColor SignBandColor(int sign);

// Draws the timeline into `area`; `shown`, when given and not the given time, is marked with
// a dashed line (the time the window shows the reading for). Fonts are sized from the area.
// A doubled hour appears twice on the axis, each time under its abbreviation.
void PaintSweep(QPainter& painter, const BirthSweep& sweep, const QRectF& area,
                std::optional<SweepMoment> shown = std::nullopt);

// What lies under a point of the timeline, for a tip: "HL  06:43:00–07:35:00 Cancer",
// "Nakshatra  06:35:00–07:35:00 Revati", or the gap's words; empty off the rows. Where the
// axis holds a doubled hour each time names its abbreviation ("02:10:00 CEST").
QString SweepTipAt(const BirthSweep& sweep, const SweepGeometry& geometry, const QPointF& point);

}  // namespace corvane

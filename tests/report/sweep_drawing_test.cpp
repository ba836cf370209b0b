// The sweep's timeline as drawn: each band stands where its interval falls on the time axis
// in its sign's colour, gaps are not coloured as any sign, and the window's geometry maps
// times to x and back.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "app/birth_sweep.h"
#include "app/birth_zone.h"
#include "report/sweep_drawing.h"
#include "tests/app/sample_birth.h"

namespace corvane {
namespace {

// New York, the morning the clocks skipped 02:00 to 03:00: bands and a gap.
BirthSweep SkippedHourSweep() {
  BirthData birth = testing::DelhiBirth();
  birth.year = 2021, birth.monthIndex = 2, birth.day = 14, birth.hour = 1, birth.minute = 45;
  birth.lonDegrees = "74", birth.lonMinutes = "0", birth.east = false, birth.latDegrees = "40", birth.latMinutes = "43";
  EXPECT_EQ(SetBirthZone("America/New_York", RepeatedTimeChoice::kAsk, birth), std::nullopt);
  return SweepBirthTime(birth, {}, 90);
}

TEST(SweepDrawing, BandsStandInTheirSignsColoursAndGapsInNone) {
  const BirthSweep sweep = SkippedHourSweep();
  ASSERT_EQ(sweep.gaps.size(), 1u);
  QImage image(1200, 600, QImage::Format_RGB32);
  image.fill(Qt::white);
  const QRectF area(10, 10, 1180, 580);
  {
    QPainter painter(&image);
    PaintSweep(painter, sweep, area);
  }
  const SweepGeometry geometry(sweep, area);
  int checked = 0;
  for (int lagna = 0; lagna < kLagnaCount; ++lagna) {
    // Near the band's top edge, clear of its text, and two pixels inside its ends.
    const int y = static_cast<int>(geometry.rowRect(lagna).top() + geometry.rowHeight() * 0.2);
    for (const SweepInterval& interval : sweep.lagnas[lagna]) {
      const double from = geometry.xOf(interval.from), to = geometry.xOf(interval.to);
      if (to - from < 8) continue;
      for (const double x : {from + 3, to - 3}) {
        if (std::abs(x - geometry.xOf(sweep.given)) < 4) continue;
        EXPECT_EQ(image.pixelColor(static_cast<int>(x), y).rgb(), SignBandColor(interval.value).rgb())
            << kLagnaKeys[lagna] << " " << SweepDateTimeText(interval.from);
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 40);
  const SweepGap& gap = sweep.gaps.front();
  for (int lagna = 0; lagna < kLagnaCount; ++lagna) {
    const int y = static_cast<int>(geometry.rowRect(lagna).top() + geometry.rowHeight() * 0.2);
    const QColor inGap = image.pixelColor(static_cast<int>(geometry.xOf(gap.from) + 5), y);
    for (int sign = 0; sign < 12; ++sign) EXPECT_NE(inGap.rgb(), SignBandColor(sign).rgb()) << kLagnaKeys[lagna];
  }
}

TEST(SweepDrawing, GeometryMapsTimesToXAndBack) {
  const BirthSweep sweep = SkippedHourSweep();
  const SweepGeometry geometry(sweep, QRectF(0, 0, 1080 + 200, 400));
  EXPECT_DOUBLE_EQ(geometry.xOf(sweep.start), geometry.bands().left());
  EXPECT_DOUBLE_EQ(geometry.xOf(sweep.end), geometry.bands().right());
  for (const int minutes : {0, 1, 45, 90, 179}) {
    const CivilDateTime t = AddMinutes(sweep.start, minutes);
    EXPECT_EQ(geometry.timeAt(geometry.xOf(t)), t) << minutes;
  }
  EXPECT_EQ(geometry.timeAt(-50), sweep.start);
  EXPECT_EQ(geometry.timeAt(5000), AddSeconds(sweep.end, -1));
  EXPECT_EQ(geometry.rowAt(geometry.rowRect(kPpL).center().y()), kPpL);
  EXPECT_EQ(geometry.rowAt(geometry.bands().bottom() + 1), std::nullopt);
  // Twelve different colours.
  std::set<QRgb> colours;
  for (int sign = 0; sign < 12; ++sign) colours.insert(SignBandColor(sign).rgb());
  EXPECT_EQ(colours.size(), 12u);
}

}  // namespace
}  // namespace corvane

#include "report/sweep_drawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

#include "app/display_texts.h"
#include "lagna/sign_tables.h"
#include "report/report_fonts.h"

namespace corvane {
namespace {

// The label column and the axis band, in rows.
constexpr double kAxisRows = 1.4;
const QColor kGivenLine(128, 0, 0);  // the dark red of the program's title strip
const QColor kGapFill(225, 225, 225);
const QColor kGrid(150, 150, 150);

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString RowLabel(int row) { return row < kLagnaCount ? Q(kLagnaKeys[row]) : QStringLiteral("Nakshatra"); }

const std::vector<SweepInterval>& RowOf(const BirthSweep& sweep, int row) {
  return row < kLagnaCount ? sweep.lagnas[row] : sweep.nakshatra;
}

// The band's short text: the sign's abbreviation, or as much of the nakshatra's name as fits.
QString BandText(int row, int value, double width, const QFontMetricsF& metrics) {
  if (row < kLagnaCount) {
    const QString text = Q(kSignAbbreviations[value]);
    return metrics.horizontalAdvance(text) + 2 <= width ? text : QString();
  }
  const QString name = Q(kNakshatraNames[value]);
  if (metrics.horizontalAdvance(name) + 4 <= width) return name;
  const QString shortName = name.left(3);
  return metrics.horizontalAdvance(shortName) + 2 <= width ? shortName : QString();
}

// Minutes between axis labels: the smallest step that leaves room for every label.
int AxisStep(int windowMinutes, double width, double labelWidth) {
  for (const int step : {1, 2, 5, 10, 15, 30, 60, 120, 180, 240})
    if (2.0 * windowMinutes / step * labelWidth * 1.6 <= width) return step;
  return 360;
}

QString ClockText(const CivilDateTime& t) {
  return QStringLiteral("%1:%2").arg(t.hour, 2, 10, QLatin1Char('0')).arg(t.minute, 2, 10, QLatin1Char('0'));
}

QString Stretch(const CivilDateTime& from, const CivilDateTime& to, const CivilDateTime& given) {
  return Q(SweepClockText(from, given)) + QChar(0x2013) + Q(SweepClockText(to, given));
}

}  // namespace

SweepGeometry::SweepGeometry(const BirthSweep& sweep, const QRectF& area)
    : area_(area),
      startSerial_(SerialSeconds(sweep.start)),
      seconds_(std::max<std::int64_t>(1, SerialSeconds(sweep.end) - SerialSeconds(sweep.start))) {
  rowHeight_ = area.height() / (kRows + kAxisRows);
  const double labelWidth = std::min(area.width() * 0.16, rowHeight_ * 5.2);
  // A little room on the right for the last axis label.
  bands_ = QRectF(area.left() + labelWidth, area.top(), area.width() - labelWidth - rowHeight_ * 1.2,
                  rowHeight_ * kRows);
}

QRectF SweepGeometry::labelRect(int row) const {
  return QRectF(area_.left(), bands_.top() + row * rowHeight_, bands_.left() - area_.left(), rowHeight_);
}

QRectF SweepGeometry::rowRect(int row) const {
  return QRectF(bands_.left(), bands_.top() + row * rowHeight_, bands_.width(), rowHeight_);
}

double SweepGeometry::xOf(const CivilDateTime& t) const {
  return bands_.left() + bands_.width() * static_cast<double>(SerialSeconds(t) - startSerial_) / seconds_;
}

CivilDateTime SweepGeometry::timeAt(double x) const {
  const double fraction = std::clamp((x - bands_.left()) / bands_.width(), 0.0, 1.0);
  const auto second = std::min<std::int64_t>(seconds_ - 1, std::llround(fraction * seconds_));
  return FromSerialSeconds(startSerial_ + second);
}

std::optional<int> SweepGeometry::rowAt(double y) const {
  if (y < bands_.top() || y >= bands_.bottom()) return std::nullopt;
  return std::clamp(static_cast<int>((y - bands_.top()) / rowHeight_), 0, kRows - 1);
}

QColor SignBandColor(int sign) { return QColor::fromHsv((sign * 30 + 10) % 360, 70, 250); }

void PaintSweep(QPainter& painter, const BirthSweep& sweep, const QRectF& area, std::optional<CivilDateTime> shown) {
  const SweepGeometry geometry(sweep, area);
  const double row = geometry.rowHeight();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  // Text sizes follow the rows: the font's pixel height is a little over half a row.
  QFont font = ReportFont(ReportFontFamily(), 9);
  font.setPixelSize(std::max(4, static_cast<int>(std::lround(row * 0.5))));
  QFont bold = font;
  bold.setBold(true);
  const QFontMetricsF metrics(font, painter.device());
  const double line = std::max(0.6, row / 22.0);

  // Bands first, then the hatched gaps, then the given time's line, then the texts over all.
  const double given = geometry.xOf(sweep.given);
  for (int r = 0; r < SweepGeometry::kRows; ++r) {
    const QRectF rowRect = geometry.rowRect(r).adjusted(0, row * 0.08, 0, -row * 0.08);
    for (const SweepInterval& interval : RowOf(sweep, r)) {
      const QRectF band(geometry.xOf(interval.from), rowRect.top(),
                        geometry.xOf(interval.to) - geometry.xOf(interval.from), rowRect.height());
      painter.fillRect(band, SignBandColor(r < kLagnaCount ? interval.value : interval.value % 12));
      painter.setPen(QPen(Qt::white, line));
      painter.drawLine(QLineF(band.topLeft(), band.bottomLeft()));
    }
  }
  for (const SweepGap& gap : sweep.gaps) {
    const QRectF band(geometry.xOf(gap.from), geometry.bands().top(), geometry.xOf(gap.to) - geometry.xOf(gap.from),
                      geometry.bands().height());
    painter.fillRect(band, kGapFill);
    painter.fillRect(band, QBrush(kGrid, Qt::BDiagPattern));
  }
  const QRectF bands = geometry.bands();
  painter.setPen(QPen(kGivenLine, std::max(1.0, row / 10.0)));
  painter.drawLine(QLineF(given, bands.top() - row * 0.1, given, bands.bottom() + row * 0.3));
  if (shown && *shown != sweep.given) {
    const double x = geometry.xOf(*shown);
    painter.setPen(QPen(Qt::black, std::max(1.0, row / 14.0), Qt::DashLine));
    painter.drawLine(QLineF(x, bands.top() - row * 0.1, x, bands.bottom()));
  }

  std::vector<double> lines = {given};
  if (shown && *shown != sweep.given) lines.push_back(geometry.xOf(*shown));

  // Each gap says what it is, where there is room.
  painter.setFont(font);
  for (const SweepGap& gap : sweep.gaps) {
    const QRectF band(geometry.xOf(gap.from), bands.top(), geometry.xOf(gap.to) - geometry.xOf(gap.from), bands.height());
    const QString label = Q(SweepGapLabel(gap.kind));
    const double width = metrics.horizontalAdvance(label) + row * 0.6;
    if (width > band.width()) continue;
    const QRectF box(band.center().x() - width / 2, band.center().y() - row * 0.45, width, row * 0.9);
    painter.fillRect(box, Qt::white);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, label);
  }

  for (int r = 0; r < SweepGeometry::kRows; ++r) {
    painter.setFont(bold);
    painter.setPen(Qt::black);
    painter.drawText(geometry.labelRect(r).adjusted(row * 0.15, 0, -row * 0.2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     RowLabel(r));
    painter.setFont(font);
    const QRectF rowRect = geometry.rowRect(r);
    for (const SweepInterval& interval : RowOf(sweep, r)) {
      QRectF band(geometry.xOf(interval.from), rowRect.top(), geometry.xOf(interval.to) - geometry.xOf(interval.from),
                  rowRect.height());
      QString text = BandText(r, interval.value, band.width(), metrics);
      if (text.isEmpty()) continue;
      // Where the given time's line (or the shown time's) would cross the text, the text
      // moves to the wider side of the line when it fits there.
      for (const double x : lines) {
        const double half = metrics.horizontalAdvance(text) / 2 + row * 0.15;
        if (x <= band.left() || x >= band.right() || std::abs(band.center().x() - x) >= half) continue;
        const QRectF left(band.left(), band.top(), x - band.left(), band.height());
        const QRectF right(x, band.top(), band.right() - x, band.height());
        const QRectF& wider = left.width() > right.width() ? left : right;
        const QString moved = BandText(r, interval.value, wider.width() - row * 0.3, metrics);
        if (!moved.isEmpty()) band = wider, text = moved;
      }
      painter.drawText(band, Qt::AlignCenter, text);
    }
  }

  // The axis: a tick and a clock label every few minutes, aligned on the clock.
  painter.setPen(QPen(kGrid, line));
  painter.drawLine(QLineF(bands.bottomLeft(), bands.bottomRight()));
  painter.setFont(font);
  const int step = AxisStep(sweep.minutes, bands.width(), metrics.horizontalAdvance(QStringLiteral("00:00")));
  const std::int64_t startSerial = SerialSeconds(sweep.start), endSerial = SerialSeconds(sweep.end);
  const std::int64_t stepSeconds = std::int64_t{step} * 60;
  std::int64_t tick = (startSerial + stepSeconds - 1) / stepSeconds * stepSeconds;
  for (; tick <= endSerial; tick += stepSeconds) {
    const CivilDateTime t = FromSerialSeconds(tick);
    const double x = geometry.xOf(t);
    painter.setPen(QPen(kGrid, line));
    painter.drawLine(QLineF(x, bands.bottom(), x, bands.bottom() + row * 0.3));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(x - row * 2, bands.bottom() + row * 0.3, row * 4, row * 0.9), Qt::AlignCenter, ClockText(t));
  }

  painter.restore();
}

QString SweepTipAt(const BirthSweep& sweep, const SweepGeometry& geometry, const QPointF& point) {
  const std::optional<int> row = geometry.rowAt(point.y());
  if (!row || point.x() < geometry.bands().left() || point.x() > geometry.bands().right()) return {};
  const CivilDateTime t = geometry.timeAt(point.x());
  for (const SweepGap& gap : sweep.gaps)
    if (gap.from <= t && t < gap.to)
      return Stretch(gap.from, gap.to, sweep.given) + QStringLiteral(" ") + Q(SweepGapLabel(gap.kind)) +
             QStringLiteral(": ") + QString::fromStdString(gap.message);
  for (const SweepInterval& interval : RowOf(sweep, *row)) {
    if (!(interval.from <= t && t < interval.to)) continue;
    const QString value = *row < kLagnaCount ? Q(kSignAttributes[interval.value].EnglishName)
                                             : Q(kNakshatraNames[interval.value]);
    const QString title = *row < kLagnaCount ? Q(kLagnaTitles[*row]) : QStringLiteral("Moon's nakshatra");
    return title + QStringLiteral("  ") + Stretch(interval.from, interval.to, sweep.given) + QStringLiteral("  ") + value;
  }
  return {};
}

}  // namespace corvane

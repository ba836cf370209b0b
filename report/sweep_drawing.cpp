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

// The label column and the axis band, in rows; a doubled hour's abbreviations take a line
// more below the clock labels.
constexpr double kAxisRows = 1.4;
constexpr double kRepeatRows = 1.0;
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

// "06:43:00–07:35:00"; with a doubled hour on the axis each end names its reading
// ("02:40:00 CEST–03:20:00 CET", or "02:10:00–02:40:00 CET" when both ends share it).
QString Stretch(const BirthSweep& sweep, const CivilDateTime& from, const CivilDateTime& to, bool repeat) {
  const QString first = Q(SweepClockText(from, sweep.given)), last = Q(SweepClockText(to, sweep.given));
  if (!sweep.repeat) return first + QChar(0x2013) + last;
  const QString fromName = Q(SweepAbbreviationOf(sweep, {from, repeat}));
  // The end is the last second's reading: the stretch is half-open.
  const QString toName = Q(SweepAbbreviationOf(sweep, {AddSeconds(to, -1), repeat}));
  if (fromName == toName) return first + QChar(0x2013) + last + QStringLiteral(" ") + toName;
  return first + QStringLiteral(" ") + fromName + QChar(0x2013) + last + QStringLiteral(" ") + toName;
}

const std::vector<SweepInterval>& RepeatRowOf(const SweepRepeat& repeat, int row) {
  return row < kLagnaCount ? repeat.lagnas[row] : repeat.nakshatra;
}

// Each row's intervals with the reading they belong to: the rows', then the repeat's.
template <typename Visit>
void ForEachInterval(const BirthSweep& sweep, int row, Visit visit) {
  for (const SweepInterval& interval : RowOf(sweep, row)) visit(interval, false);
  if (sweep.repeat)
    for (const SweepInterval& interval : RepeatRowOf(*sweep.repeat, row)) visit(interval, true);
}

template <typename Visit>
void ForEachGap(const BirthSweep& sweep, Visit visit) {
  for (const SweepGap& gap : sweep.gaps) visit(gap, false);
  if (sweep.repeat)
    for (const SweepGap& gap : sweep.repeat->gaps) visit(gap, true);
}

}  // namespace

SweepGeometry::SweepGeometry(const BirthSweep& sweep, const QRectF& area)
    : area_(area), axis_(SweepAxis(sweep)), seconds_(std::max<std::int64_t>(1, SweepAxisSeconds(axis_))) {
  rowHeight_ = area.height() / (kRows + kAxisRows + (sweep.repeat ? kRepeatRows : 0.0));
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

double SweepGeometry::xOfSecond(std::int64_t second) const {
  return bands_.left() + bands_.width() * static_cast<double>(second) / seconds_;
}

double SweepGeometry::xOf(const SweepMoment& moment) const {
  return xOfSecond(SweepAxisSecondOf(axis_, moment));
}

std::vector<std::pair<double, double>> SweepGeometry::spans(const CivilDateTime& from, const CivilDateTime& to,
                                                            bool repeat) const {
  std::vector<std::pair<double, double>> out;
  std::int64_t offset = 0;
  for (const SweepAxisPiece& piece : axis_) {
    const std::int64_t start = SerialSeconds(piece.from), length = SerialSeconds(piece.to) - start;
    if (piece.repeat == repeat) {
      const std::int64_t a = std::max(SerialSeconds(from), start), b = std::min(SerialSeconds(to), start + length);
      if (a < b) out.emplace_back(xOfSecond(offset + a - start), xOfSecond(offset + b - start));
    }
    offset += length;
  }
  return out;
}

SweepMoment SweepGeometry::momentAt(double x) const {
  const double fraction = std::clamp((x - bands_.left()) / bands_.width(), 0.0, 1.0);
  return SweepMomentAt(axis_, std::min<std::int64_t>(seconds_ - 1, std::llround(fraction * seconds_)));
}

std::optional<int> SweepGeometry::rowAt(double y) const {
  if (y < bands_.top() || y >= bands_.bottom()) return std::nullopt;
  return std::clamp(static_cast<int>((y - bands_.top()) / rowHeight_), 0, kRows - 1);
}

QColor SignBandColor(int sign) { return QColor::fromHsv((sign * 30 + 10) % 360, 70, 250); }

void PaintSweep(QPainter& painter, const BirthSweep& sweep, const QRectF& area, std::optional<SweepMoment> shown) {
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
  const QRectF bands = geometry.bands();
  if (shown && *shown == SweepMoment{sweep.given, false}) shown.reset();

  // Bands first, then the hatched gaps, then the given time's line, then the texts over all.
  const double given = geometry.xOf(sweep.given);
  for (int r = 0; r < SweepGeometry::kRows; ++r) {
    const QRectF rowRect = geometry.rowRect(r).adjusted(0, row * 0.08, 0, -row * 0.08);
    ForEachInterval(sweep, r, [&](const SweepInterval& interval, bool repeat) {
      for (const auto& [left, right] : geometry.spans(interval.from, interval.to, repeat)) {
        const QRectF band(left, rowRect.top(), right - left, rowRect.height());
        painter.fillRect(band, SignBandColor(r < kLagnaCount ? interval.value : interval.value % 12));
        painter.setPen(QPen(Qt::white, line));
        painter.drawLine(QLineF(band.topLeft(), band.bottomLeft()));
      }
    });
  }
  ForEachGap(sweep, [&](const SweepGap& gap, bool repeat) {
    for (const auto& [left, right] : geometry.spans(gap.from, gap.to, repeat)) {
      const QRectF band(left, bands.top(), right - left, bands.height());
      painter.fillRect(band, kGapFill);
      painter.fillRect(band, QBrush(kGrid, Qt::BDiagPattern));
    }
  });
  // A doubled hour's second time starts with a firm line, so the two are not taken for one.
  if (sweep.repeat) {
    const std::vector<SweepAxisPiece>& axis = geometry.axis();
    painter.setPen(QPen(Qt::black, std::max(1.0, row / 12.0)));
    for (std::size_t i = 1; i < axis.size(); ++i) {
      const double x = geometry.xOf(SweepMoment{axis[i].from, axis[i].repeat});
      painter.drawLine(QLineF(x, bands.top(), x, bands.bottom() + row * 0.3));
    }
  }
  painter.setPen(QPen(kGivenLine, std::max(1.0, row / 10.0)));
  painter.drawLine(QLineF(given, bands.top() - row * 0.1, given, bands.bottom() + row * 0.3));
  if (shown) {
    const double x = geometry.xOf(*shown);
    painter.setPen(QPen(Qt::black, std::max(1.0, row / 14.0), Qt::DashLine));
    painter.drawLine(QLineF(x, bands.top() - row * 0.1, x, bands.bottom()));
  }

  std::vector<double> lines = {given};
  if (shown) lines.push_back(geometry.xOf(*shown));

  // Each gap says what it is, where there is room.
  painter.setFont(font);
  ForEachGap(sweep, [&](const SweepGap& gap, bool repeat) {
    for (const auto& [left, right] : geometry.spans(gap.from, gap.to, repeat)) {
      const QRectF band(left, bands.top(), right - left, bands.height());
      const QString label = Q(SweepGapLabel(gap.kind));
      const double width = metrics.horizontalAdvance(label) + row * 0.6;
      if (width > band.width()) continue;
      const QRectF box(band.center().x() - width / 2, band.center().y() - row * 0.45, width, row * 0.9);
      painter.fillRect(box, Qt::white);
      painter.setPen(Qt::black);
      painter.drawText(box, Qt::AlignCenter, label);
    }
  });

  for (int r = 0; r < SweepGeometry::kRows; ++r) {
    painter.setFont(bold);
    painter.setPen(Qt::black);
    painter.drawText(geometry.labelRect(r).adjusted(row * 0.15, 0, -row * 0.2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     RowLabel(r));
    painter.setFont(font);
    const QRectF rowRect = geometry.rowRect(r);
    ForEachInterval(sweep, r, [&](const SweepInterval& interval, bool repeat) {
      for (const auto& [left, right] : geometry.spans(interval.from, interval.to, repeat)) {
        QRectF band(left, rowRect.top(), right - left, rowRect.height());
        QString text = BandText(r, interval.value, band.width(), metrics);
        if (text.isEmpty()) continue;
        // Where the given time's line (or the shown time's) would cross the text, the text
        // moves to the wider side of the line when it fits there.
        for (const double x : lines) {
          const double half = metrics.horizontalAdvance(text) / 2 + row * 0.15;
          if (x <= band.left() || x >= band.right() || std::abs(band.center().x() - x) >= half) continue;
          const QRectF leftPart(band.left(), band.top(), x - band.left(), band.height());
          const QRectF rightPart(x, band.top(), band.right() - x, band.height());
          const QRectF& wider = leftPart.width() > rightPart.width() ? leftPart : rightPart;
          const QString moved = BandText(r, interval.value, wider.width() - row * 0.3, metrics);
          if (!moved.isEmpty()) band = wider, text = moved;
        }
        painter.drawText(band, Qt::AlignCenter, text);
      }
    });
  }

  // The axis: a tick and a clock label every few minutes, aligned on the clock, along each
  // piece of the axis (a doubled hour is two pieces).
  painter.setPen(QPen(kGrid, line));
  painter.drawLine(QLineF(bands.bottomLeft(), bands.bottomRight()));
  painter.setFont(font);
  const std::vector<SweepAxisPiece>& axis = geometry.axis();
  const std::int64_t axisMinutes = SweepAxisSeconds(axis) / 60;
  const int step = AxisStep(static_cast<int>((axisMinutes + 1) / 2), bands.width(),
                            metrics.horizontalAdvance(QStringLiteral("00:00")));
  const std::int64_t stepSeconds = std::int64_t{step} * 60;
  for (std::size_t i = 0; i < axis.size(); ++i) {
    const SweepAxisPiece& piece = axis[i];
    const std::int64_t from = SerialSeconds(piece.from), to = SerialSeconds(piece.to);
    // The last piece takes its end too (the window's last tick).
    const std::int64_t last = i + 1 == axis.size() ? to : to - 1;
    for (std::int64_t tick = (from + stepSeconds - 1) / stepSeconds * stepSeconds; tick <= last; tick += stepSeconds) {
      const CivilDateTime t = FromSerialSeconds(tick);
      const double x = tick == to ? bands.right() : geometry.xOf(SweepMoment{t, piece.repeat});
      painter.setPen(QPen(kGrid, line));
      painter.drawLine(QLineF(x, bands.bottom(), x, bands.bottom() + row * 0.3));
      painter.setPen(Qt::black);
      painter.drawText(QRectF(x - row * 2, bands.bottom() + row * 0.3, row * 4, row * 0.9), Qt::AlignCenter,
                       ClockText(t));
    }
  }
  // Under the clock labels, each time of the doubled hour with its abbreviation: a bracket
  // across the stretch and the name in its middle.
  if (sweep.repeat) {
    const SweepRepeat& repeat = *sweep.repeat;
    const double top = bands.bottom() + row * 1.3, height = row * 0.9;
    for (const bool second : {false, true}) {
      for (const auto& [left, right] : geometry.spans(repeat.from, repeat.to, second)) {
        const QString name = Q(SweepAbbreviationOf(sweep, {repeat.from, second}));
        painter.setPen(QPen(Qt::black, line));
        painter.drawLine(QLineF(left + line, top + height / 2, right - line, top + height / 2));
        painter.drawLine(QLineF(left + line, top + height * 0.2, left + line, top + height * 0.8));
        painter.drawLine(QLineF(right - line, top + height * 0.2, right - line, top + height * 0.8));
        const double width = metrics.horizontalAdvance(name) + row * 0.5;
        const QRectF box((left + right - width) / 2, top, width, height);
        painter.fillRect(box, Qt::white);
        painter.drawText(box, Qt::AlignCenter, name);
      }
    }
  }

  painter.restore();
}

QString SweepTipAt(const BirthSweep& sweep, const SweepGeometry& geometry, const QPointF& point) {
  const std::optional<int> row = geometry.rowAt(point.y());
  if (!row || point.x() < geometry.bands().left() || point.x() > geometry.bands().right()) return {};
  const SweepMoment at = geometry.momentAt(point.x());
  QString tip;
  ForEachGap(sweep, [&](const SweepGap& gap, bool repeat) {
    if (tip.isEmpty() && repeat == at.repeat && gap.from <= at.time && at.time < gap.to)
      tip = Stretch(sweep, gap.from, gap.to, repeat) + QStringLiteral(" ") + Q(SweepGapLabel(gap.kind)) +
            QStringLiteral(": ") + QString::fromStdString(gap.message);
  });
  if (!tip.isEmpty()) return tip;
  ForEachInterval(sweep, *row, [&](const SweepInterval& interval, bool repeat) {
    if (!tip.isEmpty() || repeat != at.repeat || !(interval.from <= at.time && at.time < interval.to)) return;
    const QString value = *row < kLagnaCount ? Q(kSignAttributes[interval.value].EnglishName)
                                             : Q(kNakshatraNames[interval.value]);
    const QString title = *row < kLagnaCount ? Q(kLagnaTitles[*row]) : QStringLiteral("Moon's nakshatra");
    tip = title + QStringLiteral("  ") + Stretch(sweep, interval.from, interval.to, repeat) + QStringLiteral("  ") +
          value;
  });
  return tip;
}

}  // namespace corvane

#include "report/chart_drawing.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "app/chart_texts.h"
#include "app/chart_vargas.h"
#include "app/display_texts.h"
#include "app/month_names.h"
#include "report/report_fonts.h"
#include "app/sign_grid.h"

namespace corvane {
namespace {

// Sizes as parts of a box side, so that the chart looks the same at every size.
constexpr double kPadding = 0.045;
constexpr double kHeaderText = 0.095;    // sign number and name
constexpr double kLargestText = 0.105;   // bodies and marks at their full size
constexpr double kSmallestText = 0.035;
constexpr double kColumnPenalty = 0.2;   // a further column must give text this much larger
constexpr double kColumnGap = 0.04;
constexpr double kThinLine = 0.006;
constexpr double kFrameLine = 0.018;

const QColor kInk(0, 0, 0);
const QColor kMarkColor(128, 0, 0);  // the dark red of the program's title strip
const QColor kQuiet(110, 110, 110);

QFont FontOfHeight(const QString& family, double pixels, bool bold, const QPaintDevice* device) {
  QFont font = ReportFont(family, 10, bold);
  const int dpi = device != nullptr ? device->logicalDpiY() : 96;
  font.setPointSizeF(std::max(0.1, pixels * 72.0 / dpi));
  return font;
}

// Where the entries of one list stand at one size.
struct ListFit {
  bool fits = false;
  std::vector<QRectF> rects;
};

ListFit FitInColumns(const QStringList& entries, const QRectF& area, int columns, const QFontMetricsF& metrics) {
  ListFit fit;
  const int rows = (static_cast<int>(entries.size()) + columns - 1) / columns;
  const double gap = columns > 1 ? metrics.height() * 0.4 : 0.0;
  const double columnWidth = (area.width() - gap * (columns - 1)) / columns;
  const double lineHeight = metrics.height();
  fit.fits = rows * lineHeight <= area.height() + 1e-6;
  for (int i = 0; i < entries.size(); ++i) {
    const int column = i / rows, row = i % rows;
    if (metrics.horizontalAdvance(entries[i]) > columnWidth) fit.fits = false;
    fit.rects.emplace_back(area.left() + column * (columnWidth + gap), area.top() + row * lineHeight, columnWidth,
                           lineHeight);
  }
  return fit;
}

// How a list stands in its area: the size (as a part of the box side), the columns and
// where each entry goes.
struct Placement {
  double part = 0;  // 0: it does not fit at any size
  int columns = 1;
  QFont font;
  ListFit fit;
};

// The largest size, from `largest` down to the smallest, at which the list fits in
// `columns` columns.
Placement LargestFit(const QStringList& entries, const QRectF& area, int columns, double boxSide, bool bold,
                     double largest, const QPaintDevice* device) {
  Placement placement;
  placement.columns = columns;
  for (double part = largest; part >= kSmallestText - 1e-9; part -= 0.005) {
    placement.font = FontOfHeight(ReportFontFamily(), part * boxSide, bold, device);
    placement.fit = FitInColumns(entries, area, columns, QFontMetricsF(placement.font, device));
    if (placement.fit.fits) {
      placement.part = part;
      return placement;
    }
  }
  return placement;
}

// The list's best placement: the fewest columns that hold it at the largest size; else one
// column while it can be read at a fair size, a second or third column only where that
// makes the text clearly larger. Should nothing fit, the smallest size in three columns.
Placement BestPlacement(const QStringList& entries, const QRectF& area, double boxSide, bool bold,
                        const QPaintDevice* device, double largest = kLargestText) {
  Placement best;
  double bestScore = 0;
  for (int columns = 1; columns <= 3 && columns <= entries.size(); ++columns) {
    Placement candidate = LargestFit(entries, area, columns, boxSide, bold, largest, device);
    if (candidate.part >= largest - 1e-9) return candidate;  // the fewest columns at full size
    const double score = candidate.part / (1.0 + kColumnPenalty * (columns - 1));
    if (score > bestScore) {
      best = std::move(candidate);
      bestScore = score;
    }
  }
  if (best.part > 0) return best;
  best.columns = 3;
  best.font = FontOfHeight(ReportFontFamily(), kSmallestText * boxSide, bold, device);
  best.fit = FitInColumns(entries, area, 3, QFontMetricsF(best.font, device));
  return best;
}

void Place(const QStringList& entries, const Placement& placement, const QColor& color, ChartText::Kind kind, int sign,
           std::vector<ChartText>& out) {
  for (int i = 0; i < entries.size(); ++i)
    out.push_back({kind, sign, entries[i], placement.font, color, placement.fit.rects[i]});
}

QStringList Entries(const std::string& boxText) {
  QStringList entries;
  for (const std::string_view entry : BoxEntries(boxText))
    entries << QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
  return entries;
}

void LayoutBox(const ChartTexts& texts, int sign, const QRectF& box, const QPaintDevice* device,
               std::vector<ChartText>& out) {
  const double side = std::min(box.width(), box.height());
  const QRectF inner = box.adjusted(side * kPadding, side * kPadding * 0.6, -side * kPadding, -side * kPadding);

  const QFont numberFont = FontOfHeight(ReportMonoFontFamily(), kHeaderText * side, false, device);
  const QFont nameFont = FontOfHeight(ReportFontFamily(), kHeaderText * side, false, device);
  const double band = QFontMetricsF(numberFont, device).height();
  out.push_back({ChartText::Kind::kSignNumber, sign, QString::number(sign + 1), numberFont, kQuiet,
                 QRectF(inner.left(), inner.top(), inner.width(), band)});
  out.push_back({ChartText::Kind::kSignName, sign,
                 QString::fromUtf8(kSignAbbreviations[sign].data(), kSignAbbreviations[sign].size()), nameFont, kQuiet,
                 QRectF(inner.left(), inner.top(), inner.width(), band)});

  const QRectF lists(inner.left(), inner.top() + band * 1.1, inner.width(), inner.bottom() - inner.top() - band * 1.1);
  const QStringList bodies = Entries(texts.chartBoxes[static_cast<std::size_t>(sign)]);
  const QStringList marks = Entries(texts.lagnaBoxes[static_cast<std::size_t>(sign)]);
  // The bodies take the left part and the marks the right; a list alone takes the whole
  // width. The division is the one that gives the smaller of the two lists the largest text.
  const double gap = kColumnGap * side;
  if (bodies.isEmpty() || marks.isEmpty()) {
    const bool bold = bodies.isEmpty();
    const QStringList& list = bold ? marks : bodies;
    Place(list, BestPlacement(list, lists, side, bold, device), bold ? kMarkColor : kInk,
          bold ? ChartText::Kind::kMark : ChartText::Kind::kBody, sign, out);
    return;
  }
  double bestShare = 0, bestScore = -1;
  auto areas = [&](double share) {
    const double bodyWidth = (lists.width() - gap) * share;
    return std::pair(QRectF(lists.left(), lists.top(), bodyWidth, lists.height()),
                     QRectF(lists.left() + bodyWidth + gap, lists.top(), lists.width() - bodyWidth - gap, lists.height()));
  };
  for (double share = 0.35; share <= 0.8 + 1e-9; share += 0.05) {
    const auto [bodyArea, markArea] = areas(share);
    const double b = BestPlacement(bodies, bodyArea, side, false, device).part;
    const double m = BestPlacement(marks, markArea, side, true, device).part;
    // Among equal divisions the last, which keeps the marks at the box's right edge.
    const double score = std::min(b, m) + 0.01 * (b + m);
    if (score >= bestScore - 1e-9) {
      bestScore = score;
      bestShare = share;
    }
  }
  // Both lists of a box in one size: the smaller list's size caps the other.
  const auto [bodyArea, markArea] = areas(bestShare);
  const double common = std::min(BestPlacement(bodies, bodyArea, side, false, device).part,
                                 BestPlacement(marks, markArea, side, true, device).part);
  const double cap = common > 0 ? common : kLargestText;
  Place(bodies, BestPlacement(bodies, bodyArea, side, false, device, cap), kInk, ChartText::Kind::kBody, sign, out);
  Place(marks, BestPlacement(marks, markArea, side, true, device, cap), kMarkColor, ChartText::Kind::kMark, sign, out);
}

// The centre block: the chart's title, the name, the birth moment and the place, each line
// as large as its width allows.
void LayoutCentre(const Chart& chart, const QString& title, const QRectF& centre, double boxSide, const QPaintDevice* device,
                  std::vector<ChartText>& out) {
  struct Line {
    QString text;
    double size;
    bool bold;
    QColor color;
  };
  const Line lines[] = {
      {title, 0.13, true, kMarkColor},
      {QString::fromStdString(chart.birth.name), 0.15, true, kInk},
      {BirthMomentText(chart), 0.11, false, kInk},
      {BirthPlaceText(chart), 0.10, false, kInk},
  };
  const QRectF inner = centre.adjusted(boxSide * 0.12, boxSide * 0.12, -boxSide * 0.12, -boxSide * 0.12);
  std::vector<ChartText> placed;
  double height = 0;
  for (const Line& line : lines) {
    if (line.text.trimmed().isEmpty()) continue;
    QFont font;
    double part = line.size;
    for (;; part -= 0.005) {
      font = FontOfHeight(ReportFontFamily(), part * boxSide, line.bold, device);
      if (QFontMetricsF(font, device).horizontalAdvance(line.text) <= inner.width() || part <= kSmallestText) break;
    }
    // What does not fit even at the smallest size ends in "…", never cut off unmarked.
    const QString text = QFontMetricsF(font, device).elidedText(line.text, Qt::ElideRight, inner.width());
    const double lineHeight = QFontMetricsF(font, device).height() * 1.35;
    placed.push_back({ChartText::Kind::kCentre, -1, text, font, line.color,
                      QRectF(inner.left(), height, inner.width(), lineHeight)});
    height += lineHeight;
  }
  const double top = inner.top() + std::max(0.0, (inner.height() - height) / 2);
  for (ChartText& text : placed) {
    text.rect.translate(0, top);
    out.push_back(std::move(text));
  }
}

}  // namespace

QString BirthMomentText(const Chart& chart) {
  const ChartBirth& b = chart.birth;
  const int month = std::clamp(b.monthIndex + 1, 1, 12);
  return QStringLiteral("%1 %2 %3, %4")
      .arg(b.day)
      .arg(QString::fromUtf8(kMonthNames[month - 1].data(), kMonthNames[month - 1].size()))
      .arg(b.year)
      .arg(QString::fromStdString(BirthClockReading(chart)));
}

QString BirthPlaceText(const Chart& chart) {
  QStringList parts;
  for (const std::string* part : {&chart.birth.city, &chart.birth.state, &chart.birth.country}) {
    const QString text = QString::fromStdString(*part).trimmed();
    if (!text.isEmpty()) parts << text;
  }
  return parts.join(QStringLiteral(", "));
}

ChartLayout LayoutChart(const Chart& chart, const QRectF& area, const QPaintDevice* device, DrawnVarga shown) {
  ChartLayout layout;
  const bool varga = shown.vargas != nullptr && shown.varga > 0;
  const ChartTexts texts = varga ? VargaTextsOf(chart, *shown.vargas, shown.varga) : TextsOf(chart);
  const double side = std::min(area.width(), area.height());
  layout.frame = QRectF(area.left() + (area.width() - side) / 2, area.top() + (area.height() - side) / 2, side, side);
  const double box = side / 4;
  for (int sign = 0; sign < 12; ++sign) {
    const SignBoxPlace place = kSignBoxPlaces[sign];
    layout.boxes[sign] = QRectF(layout.frame.left() + place.column * box, layout.frame.top() + place.row * box, box, box);
    LayoutBox(texts, sign, layout.boxes[sign], device, layout.texts);
  }
  layout.centre = QRectF(layout.frame.left() + box, layout.frame.top() + box, 2 * box, 2 * box);
  const QString title = varga ? QString::fromStdString(VargaCaption(shown.varga))
                              : QStringLiteral("Vedic Special Lagnas Chart");
  LayoutCentre(chart, title, layout.centre, box, device, layout.texts);
  return layout;
}

void PaintChart(QPainter& painter, const ChartLayout& layout) {
  const double box = layout.frame.width() / 4;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kInk, std::max(0.5, box * kThinLine)));
  for (const QRectF& rect : layout.boxes) painter.drawRect(rect);
  // The frame is a path, not a rectangle, so that a picture holds exactly one rectangle
  // per sign box.
  QPainterPath frame;
  frame.addPolygon(QPolygonF(layout.frame));
  painter.setPen(QPen(kInk, std::max(1.0, box * kFrameLine), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.drawPath(frame);
  for (const ChartText& text : layout.texts) {
    painter.setFont(text.font);
    painter.setPen(text.color);
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    if (text.kind == ChartText::Kind::kSignNumber) alignment = Qt::AlignRight | Qt::AlignTop;
    if (text.kind == ChartText::Kind::kCentre) alignment = Qt::AlignHCenter | Qt::AlignTop;
    painter.drawText(text.rect, alignment | Qt::TextSingleLine, text.text);
  }
  painter.restore();
}

void PaintChart(QPainter& painter, const Chart& chart, const QRectF& area, DrawnVarga shown) {
  PaintChart(painter, LayoutChart(chart, area, painter.device(), shown));
}

}  // namespace corvane

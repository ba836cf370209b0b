#include "report/report_document.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextObjectInterface>
#include <QTextTable>
#include <algorithm>
#include <cmath>

#include "app/calculated_with.h"
#include "app/display_texts.h"
#include "app/page_texts.h"
#include "app/chart_texts.h"
#include "app/chart_vargas.h"
#include "lagna/sign_tables.h"
#include "report/chart_drawing.h"
#include "report/report_fonts.h"
#include "report/sweep_drawing.h"

namespace corvane {

// Draws the square chart where the front section holds its object character.
class ChartObjectHandler : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)

 public:
  static constexpr int kObjectType = QTextFormat::UserObject + 1;
  static constexpr int kSideProperty = QTextFormat::UserProperty + 10;  // side in layout units
  static constexpr int kVargaProperty = QTextFormat::UserProperty + 13;  // varga number, 0 the rasi chart

  ChartObjectHandler(const Chart& chart, const VargaCharts* vargas) : chart_(chart), vargas_(vargas) {}

  QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override {
    // The layout measures in its device's pixels.
    const QPaintDevice* device = document->documentLayout()->paintDevice();
    const double side = format.doubleProperty(kSideProperty) * (device ? device->logicalDpiX() / 96.0 : 1.0);
    return QSizeF(side, side);
  }

  void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) override {
    PaintChart(*painter, chart_, rect, {vargas_, format.intProperty(kVargaProperty)});
  }

 private:
  const Chart& chart_;
  const VargaCharts* vargas_;
};

// Draws the sweep's timeline where the sweep section holds its object character.
class SweepObjectHandler : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)

 public:
  static constexpr int kObjectType = QTextFormat::UserObject + 2;
  static constexpr int kWidthProperty = QTextFormat::UserProperty + 11;  // in layout units
  static constexpr int kHeightProperty = QTextFormat::UserProperty + 12;

  explicit SweepObjectHandler(const BirthSweep* sweep) : sweep_(sweep) {}

  QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override {
    const QPaintDevice* device = document->documentLayout()->paintDevice();
    const double scale = device ? device->logicalDpiX() / 96.0 : 1.0;
    return QSizeF(format.doubleProperty(kWidthProperty) * scale, format.doubleProperty(kHeightProperty) * scale);
  }

  void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&) override {
    if (sweep_) PaintSweep(*painter, *sweep_, rect);
  }

 private:
  const BirthSweep* sweep_;
};

namespace {

// Lengths of block and table formats are given in pixels of 96 per inch; the layout scales
// them to the device.
constexpr double Pt(double points) { return points * 96.0 / 72.0; }

// Marks a caption that must stand on the same page as the first lines after it.
constexpr int kKeepWithNextProperty = QTextFormat::UserProperty + 1;

constexpr double kBodyPt = 9.5;
const QColor kInk(0, 0, 0);
const QColor kAccent(128, 0, 0);  // the dark red of the readings and the title strip
const QColor kMuted(90, 90, 90);

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QTextCharFormat CharFormat(double points, bool bold = false, const QColor& color = kInk) {
  QTextCharFormat format;
  format.setFont(ReportFont(ReportFontFamily(), points, bold), QTextCharFormat::FontPropertiesAll);
  format.setForeground(color);
  return format;
}

QTextBlockFormat BlockFormat(double topPt, double bottomPt, bool keepWithNext = false) {
  QTextBlockFormat format;
  format.setTopMargin(Pt(topPt));
  format.setBottomMargin(Pt(bottomPt));
  if (keepWithNext) format.setProperty(kKeepWithNextProperty, true);
  return format;
}

// Appends blocks, tables and the chart to a section document, top to bottom.
class SectionWriter {
 public:
  explicit SectionWriter(QTextDocument& document) : cursor_(&document) {}

  void Title(const QString& text) {
    Block(BlockFormat(0, 2, true), text, CharFormat(16, true, kAccent));
  }
  void Subtitle(const QString& text) { Block(BlockFormat(0, 8, true), text, CharFormat(10.5, false, kMuted)); }
  void Heading(const QString& text) { Block(BlockFormat(12, 4, true), text, CharFormat(12, true, kAccent)); }
  void Caption(const QString& text) { Block(BlockFormat(8, 2, true), text, CharFormat(10, true)); }
  void Paragraph(const QString& text) { Block(BlockFormat(0, 3), text, CharFormat(kBodyPt)); }

  // A reading run by run: bold and dark red as the runs say, each line break a new
  // paragraph. A short paragraph that is all bold is the caption of what follows and stays
  // with it.
  void Reading(const RichReading& reading) {
    constexpr int kLongestCaption = 80;  // characters
    bool lineOpen = false;  // a paragraph of the reading is open at the cursor
    bool allBold = true;
    auto closeLine = [&] {
      const QString text = cursor_.block().text().trimmed();
      if (lineOpen && allBold && !text.isEmpty() && text.size() <= kLongestCaption) {
        QTextBlockFormat format = cursor_.blockFormat();
        format.setProperty(kKeepWithNextProperty, true);
        cursor_.setBlockFormat(format);
      }
      lineOpen = false;
    };
    for (const TextRun& run : reading.runs) {
      QString text = QString::fromStdString(run.text);
      text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
      const QTextCharFormat format = CharFormat(kBodyPt, run.bold, run.darkRed ? kAccent : kInk);
      const QStringList lines = text.split(QLatin1Char('\n'));
      for (int i = 0; i < lines.size(); ++i) {
        if (i > 0) closeLine();
        if (!lineOpen) {
          Block(BlockFormat(0, 1), QString(), format);
          lineOpen = true;
          allBold = true;
        }
        if (lines[i].isEmpty()) continue;
        cursor_.insertText(lines[i], format);
        allBold = allBold && run.bold;
      }
    }
    closeLine();
  }

  // Rows of cells, the columns as wide as the percents of the body say; each cell a small
  // caption over its value, or the value alone when the caption is empty. A table with
  // `titled` set repeats its first row on every page it runs onto.
  struct Cell {
    QString caption, value;
    bool bold = false;
  };
  void Table(const std::vector<std::vector<Cell>>& rows, const std::vector<double>& columnPercents,
             bool titled = false) {
    if (rows.empty()) return;
    QTextTableFormat format;
    format.setHeaderRowCount(titled ? 1 : 0);
    format.setBorder(0);
    format.setCellSpacing(0);
    format.setCellPadding(Pt(2.5));
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setTopMargin(Pt(2));
    format.setBottomMargin(Pt(4));
    QList<QTextLength> widths;
    for (const double percent : columnPercents) widths << QTextLength(QTextLength::PercentageLength, percent);
    format.setColumnWidthConstraints(widths);
    QTextTable* table = cursor_.insertTable(static_cast<int>(rows.size()), static_cast<int>(columnPercents.size()),
                                            format);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
      for (int c = 0; c < static_cast<int>(rows[r].size()) && c < table->columns(); ++c) {
        const Cell& cell = rows[r][c];
        QTextCursor in = table->cellAt(r, c).firstCursorPosition();
        if (!cell.caption.isEmpty()) {
          in.setBlockFormat(BlockFormat(0, 0));
          in.insertText(cell.caption, CharFormat(8, true, kMuted));
          in.insertBlock(BlockFormat(0, 0));
        }
        in.insertText(cell.value, CharFormat(kBodyPt, cell.bold));
      }
    }
    cursor_.movePosition(QTextCursor::End);
    fresh_ = false;
  }

  // The sweep's timeline, `width` by `height` in the layout's units.
  void SweepTimeline(double width, double height) {
    Block(BlockFormat(6, 6), QString(), CharFormat(kBodyPt));
    QTextCharFormat object;
    object.setObjectType(SweepObjectHandler::kObjectType);
    object.setProperty(SweepObjectHandler::kWidthProperty, width);
    object.setProperty(SweepObjectHandler::kHeightProperty, height);
    cursor_.insertText(QString(QChar::ObjectReplacementCharacter), object);
  }

  // The square charts of the vargas numbered (0: the rasi chart), side by side, each `side`
  // wide and as tall (in the layout's units), centred.
  void Charts(double side, std::initializer_list<int> vargas) {
    QTextBlockFormat block = BlockFormat(6, 6);
    block.setAlignment(Qt::AlignHCenter);
    Block(block, QString(), CharFormat(kBodyPt));
    bool first = true;
    for (const int varga : vargas) {
      if (!first) cursor_.insertText(QStringLiteral("   "), CharFormat(kBodyPt));
      first = false;
      QTextCharFormat object;
      object.setObjectType(ChartObjectHandler::kObjectType);
      object.setProperty(ChartObjectHandler::kSideProperty, side);
      object.setProperty(ChartObjectHandler::kVargaProperty, varga);
      cursor_.insertText(QString(QChar::ObjectReplacementCharacter), object);
    }
  }
  void Chart(double side) { Charts(side, {0}); }

 private:
  // Starts a block (the document's first one is reused) and writes `text` in it.
  void Block(const QTextBlockFormat& block, const QString& text, const QTextCharFormat& format) {
    if (fresh_) {
      cursor_.setBlockFormat(block);
      cursor_.setBlockCharFormat(format);
      fresh_ = false;
    } else {
      cursor_.insertBlock(block, format);
    }
    if (!text.isEmpty()) cursor_.insertText(text, format);
  }

  QTextCursor cursor_;
  bool fresh_ = true;
};

using Row = std::vector<SectionWriter::Cell>;

// A table row of plain texts, bold for a row of column titles.
Row Plain(std::initializer_list<QString> texts, bool bold = false) {
  Row row;
  for (const QString& text : texts) row.push_back({QString(), text, bold});
  return row;
}

QString SignName(int sign) { return IsSignIndex(sign) ? Q(kSignAttributes[sign].EnglishName) : QStringLiteral("?"); }

void WriteFront(const Chart& chart, double chartSide, SectionWriter& out) {
  const ChartTexts r = TextsOf(chart);
  out.Title(QStringLiteral("Vedic Special Lagnas"));
  out.Subtitle(QStringLiteral("The Corvane v1.25 reading of %1").arg(QString::fromStdString(r.name)));

  out.Heading(QStringLiteral("Your Details"));
  out.Table({{{QStringLiteral("Name"), QString::fromStdString(r.name), true},
              {QStringLiteral("Date of Birth"), BirthMomentText(chart).section(QLatin1Char(','), 0, 0)},
              {QStringLiteral("Time of Birth"), QString::fromStdString(BirthClockReading(chart))}},
             {{QStringLiteral("City"), QString::fromStdString(r.city)},
              {QStringLiteral("State"), QString::fromStdString(r.state)},
              {QStringLiteral("Country"), QString::fromStdString(r.country)}},
             {{QStringLiteral("Longitude"), QString::fromStdString(r.longitude)},
              {QStringLiteral("Latitude"), QString::fromStdString(r.latitude)},
              {QStringLiteral("Clock"), QString::fromStdString(ClockText(chart))}}},
            {34, 33, 33});
  out.Paragraph(QString::fromStdString(CalculatedWithText(chart.settings)) + QLatin1Char('.'));

  out.Chart(chartSide);

  out.Heading(QStringLiteral("Vedic Planetary Position"));
  std::vector<Row> positions = {Plain({QStringLiteral("Body"), QStringLiteral("Position"),
                                        QStringLiteral("Longitude in the sign"), QStringLiteral("Motion")},
                                       true)};
  for (int body = 0; body < kBodyCount; ++body) {
    const bool retrograde = chart.retrograde[static_cast<std::size_t>(body)];
    positions.push_back(Plain({Q(kPositionCaptions[body]), QString::fromStdString(r.positions[static_cast<std::size_t>(body)]),
                               QString::fromStdString(FormatLongitude(chart.positions.longitudeDeg[static_cast<std::size_t>(body)])),
                               retrograde ? QStringLiteral("retrograde (R)") : QString()}));
  }
  out.Table(positions, {28, 20, 30, 22}, true);

  out.Heading(QStringLiteral("Sunrise and Sunset"));
  auto day = [](const char* caption, const CivilDateTime& rise, const CivilDateTime& set) {
    return Plain({QString::fromLatin1(caption), QString::fromStdString(MinuteText(rise)),
                  QString::fromStdString(MinuteText(set))});
  };
  out.Table({Plain({QString(), QStringLiteral("Sunrise"), QStringLiteral("Sunset")}, true),
             day("Day before", chart.sun.risePrevious, chart.sun.setPrevious),
             day("Birth day", chart.sun.riseBirthDay, chart.sun.setBirthDay),
             day("Day after", chart.sun.riseNext, chart.sun.setNext)},
            {28, 36, 36}, true);
  const QString reference = QString::fromStdString(MinuteText(chart.sun.referenceSunrise));
  const QString counted =
      chart.sun.exact ? QStringLiteral("The lagnas counted from sunrise count from the unrounded sunrise near %1, "
                                   "%2 seconds before the birth second.")
                        .arg(reference)
                        .arg(chart.sun.exact->secondsSinceSunrise, 0, 'f', 1)
                  : QStringLiteral("The lagnas counted from sunrise count from %1, %2 minutes before the birth.")
                        .arg(reference)
                        .arg(chart.sun.minutesSinceSunrise);
  out.Paragraph(counted + QStringLiteral(" Calculated with: %1.").arg(QString::fromStdString(SettingsSummary(chart.settings))));
}

// The birth-time sweep: what it shows, the timeline, the summary, the gaps, and each row's
// stretches as a table a reader can check against the bands.
void WriteSweep(const BirthSweep& sweep, double width, SectionWriter& out) {
  out.Heading(QStringLiteral("Birth-Time Sweep"));
  out.Paragraph(QStringLiteral("How far the reading holds if the birth time is off: each row shows a lagna over %1 "
                               "minutes either side of the given time (the red line), one colour per sign. Where a "
                               "band changes colour, a birth at that time would give the lagna another sign.")
                    .arg(sweep.minutes));
  out.SweepTimeline(width, width * 0.5);
  out.Caption(QString::fromStdString(SweepSummary(sweep)));
  for (const SweepGap& gap : sweep.gaps)
    out.Paragraph(QString::fromStdString(SweepClockText(gap.from, sweep.given) + "\u2013" +
                                         SweepClockText(gap.to, sweep.given) + ": " + gap.message));
  std::vector<Row> rows = {Plain({QStringLiteral("Lagna"), QStringLiteral("Signs in the window")}, true)};
  for (int lagna = 0; lagna < kLagnaCount; ++lagna) {
    QString cells;
    for (const SweepInterval& interval : sweep.lagnas[lagna]) {
      if (!cells.isEmpty()) cells += QStringLiteral(", ");
      cells += QString::fromStdString(SweepClockText(interval.from, sweep.given) + "\u2013" +
                                      SweepClockText(interval.to, sweep.given) + " ") +
               SignName(interval.value);
    }
    rows.push_back(Plain({Q(kLagnaKeys[lagna]), cells}));
  }
  out.Table(rows, {14, 86}, true);
}

// The divisional charts: the navamsa and dasamsa drawn square, then every entry's sign in
// the sixteen vargas.
void WriteDivisionalCharts(const VargaCharts& vargas, double chartSide, SectionWriter& out) {
  out.Title(QStringLiteral("Divisional Charts"));
  out.Subtitle(QStringLiteral("The bodies and lagnas in the vargas: each sign divided into equal or classical parts"));
  // Each chart names its varga in its centre.
  out.Charts(chartSide, {VargaIndexOf("D9").value_or(0), VargaIndexOf("D10").value_or(0)});
  out.Heading(QStringLiteral("The Sixteen Vargas"));
  Row titles = Plain({QString()}, true);
  for (std::string_view key : kVargaKeys) titles.push_back({QString(), Q(key), true});
  std::vector<Row> rows = {titles};
  for (int entry = 0; entry < kVargaEntryCount; ++entry) {
    Row row = Plain({Q(VargaEntryName(entry))});
    for (const VargaChart& v : vargas) {
      const int sign = VargaEntrySign(v, entry);
      row.push_back({QString(), sign < 0 ? QStringLiteral("-") : Q(kSignAbbreviations[static_cast<std::size_t>(sign)])});
    }
    rows.push_back(std::move(row));
  }
  std::vector<double> widths = {12};
  for (int v = 0; v < kVargaCount; ++v) widths.push_back(88.0 / kVargaCount);
  out.Table(rows, widths, true);
}

// The lagna overview of the front section; its last column names each lagna's page.
void WriteOverview(const Chart& chart, const std::vector<int>& firstPages, SectionWriter& out) {
  out.Heading(QStringLiteral("Special Lagnas"));
  std::vector<Row> rows = {Plain(
      {QStringLiteral("Lagna"), QStringLiteral("Sign"), QStringLiteral("Longitude"), QStringLiteral("Page")}, true)};
  for (int lagna = 0; lagna < kLagnaCount; ++lagna) {
    const LagnaPosition& position = chart.lagnas.lagnas[static_cast<std::size_t>(lagna)];
    rows.push_back(Plain({Q(kLagnaPageTexts[lagna].listCaption).trimmed(), SignName(position.sign),
                          position.longitudeDeg
                              ? QString::fromStdString(FormatLongitude(*position.longitudeDeg))
                              : QString(),
                          QString::number(firstPages[lagna] + 1)}));
  }
  out.Table(rows, {36, 22, 28, 14}, true);
}

void WriteLagna(const Chart& chart, const LagnaPageFields& fields, int index, SectionWriter& out) {
  const auto lagna = static_cast<LagnaId>(index);
  const LagnaPageText& page = kLagnaPageTexts[index];
  out.Title(Q(page.caption));
  const LagnaPosition& position = chart.lagnas.lagnas[static_cast<std::size_t>(index)];
  QString where = QStringLiteral("In %1").arg(SignName(position.sign));
  if (position.longitudeDeg)
    where += QStringLiteral(", at %1").arg(QString::fromStdString(FormatLongitude(*position.longitudeDeg)));
  out.Subtitle(where);

  if (lagna == kPpL && !fields.pranapadaCaption.empty()) out.Heading(QString::fromStdString(fields.pranapadaCaption));
  if (!page.significanceHeading.empty()) {
    out.Caption(Q(page.significanceHeading));
    out.Paragraph(Q(page.significance));
  }
  if (lagna == kHL) {
    out.Caption(Q(kHoraHouseCaption));
    out.Paragraph(Q(fields.horaHouseText));
  }
  if (lagna == kPpL) {
    out.Caption(Q(kPranapadaHouseCaption));
    out.Paragraph(Q(fields.pranapadaHouseText));
  }

  if (HasAttributeBlock(lagna)) {
    std::vector<Row> grid;
    for (const auto& row : kAttributeGrid) {
      Row cells;
      for (const AttributeCell& cell : row) {
        if (cell.empty) {
          cells.push_back({});
          continue;
        }
        const QString caption = cell.field == PageField::kPresentInSign
                                    ? QStringLiteral("%1 Present In Sign").arg(Q(page.lagnaName))
                                    : Q(cell.caption);
        cells.push_back({caption, Q(fields.Attribute(lagna, cell.field))});
      }
      grid.push_back(std::move(cells));
    }
    out.Heading(QStringLiteral("Sign Attributes"));
    out.Table(grid, {34, 33, 33});
    for (const TopicText& topic : kTopicTexts) {
      out.Caption(Q(topic.caption));
      out.Paragraph(Q(fields.Attribute(lagna, topic.field)));
    }
  }

  if (lagna == kAL) {
    out.Heading(Q(kArudhaReadingHeading));
    out.Reading(fields.arudhaReading);
  }
  if (lagna == kUL) {
    out.Heading(Q(kUpapadaReadingHeading));
    out.Reading(fields.upapadaReading);
  }
}

// Page of a vertical position in a paginated document.
int PageAt(double y, double pageHeight) { return static_cast<int>(std::floor(y / pageHeight)); }

// The page of the first lines of a block: its second line when it has one, so that a
// caption keeps at least two lines of its text with it.
int PageOfOpening(QAbstractTextDocumentLayout* layout, const QTextBlock& block, double pageHeight) {
  const QRectF rect = layout->blockBoundingRect(block);
  const QTextLayout* lines = block.layout();
  if (lines == nullptr || lines->lineCount() == 0) return PageAt(rect.top(), pageHeight);
  const QTextLine line = lines->lineAt(std::min(1, lines->lineCount() - 1));
  return PageAt(rect.top() + line.y() + line.height() * 0.5, pageHeight);
}

// Moves every caption that a page break would part from its text to the next page. True
// when a caption moved.
bool KeepCaptionsWithText(QTextDocument& document) {
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  const double pageHeight = document.pageSize().height();
  bool movedAny = false;
  for (int round = 0; round < 64; ++round) {
    bool moved = false;
    for (QTextBlock block = document.begin(); block.isValid() && !moved; block = block.next()) {
      if (!block.blockFormat().boolProperty(kKeepWithNextProperty)) continue;
      const QTextBlock next = block.next();
      if (!next.isValid()) continue;
      const int captionPage = PageAt(layout->blockBoundingRect(block).top(), pageHeight);
      if (captionPage == PageOfOpening(layout, next, pageHeight)) continue;
      if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;
      // The caption may end a run of captions (a heading over a caption): the whole run
      // moves, unless it opens the section, where moving it would only leave a blank page.
      QTextBlock first = block;
      while (first.previous().isValid() && first.previous().blockFormat().boolProperty(kKeepWithNextProperty) &&
             PageAt(layout->blockBoundingRect(first.previous()).top(), pageHeight) == captionPage)
        first = first.previous();
      if (first == document.begin()) continue;
      QTextCursor cursor(first);
      QTextBlockFormat format = first.blockFormat();
      format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      cursor.setBlockFormat(format);
      // A paragraph sent to the next page before takes its caption along: the break now
      // stands before the caption, not between the two.
      QTextBlockFormat text = next.blockFormat();
      if (text.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) {
        text.setPageBreakPolicy(text.pageBreakPolicy() & ~QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(next).setBlockFormat(text);
      }
      moved = movedAny = true;
    }
    if (!moved) break;
  }
  return movedAny;
}

// Moves to the next page every paragraph that a page break would cut short: one of at most
// kShortBlockLines lines goes whole, and one of at most kMovableBlockLines lines goes whole
// when fewer than kLeastLinesOnAPage of its lines would stand alone on either page (a
// page holding only the tail of a reading, or a last line left at the foot of a page).
// Longer paragraphs break where the page ends. True when a paragraph moved.
constexpr int kShortBlockLines = 8;
constexpr int kMovableBlockLines = 16;
constexpr int kLeastLinesOnAPage = 3;

bool KeepShortBlocksWhole(QTextDocument& document) {
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  const double pageHeight = document.pageSize().height();
  bool movedAny = false;
  for (int round = 0; round < 64; ++round) {
    bool moved = false;
    for (QTextBlock block = document.begin().next(); block.isValid() && !moved; block = block.next()) {
      const QTextLayout* lines = block.layout();
      const int count = lines ? lines->lineCount() : 0;
      if (count < 2 || count > kMovableBlockLines) continue;
      if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;
      const double top = layout->blockBoundingRect(block).top();
      auto pageOfLine = [&](int i) {
        const QTextLine line = lines->lineAt(i);
        return PageAt(top + line.y() + line.height() * 0.5, pageHeight);
      };
      const int firstPage = pageOfLine(0);
      if (firstPage == pageOfLine(count - 1)) continue;
      int head = 0;
      while (head < count && pageOfLine(head) == firstPage) ++head;
      const int tail = count - head;
      if (count > kShortBlockLines && head >= kLeastLinesOnAPage && tail >= kLeastLinesOnAPage) continue;
      QTextCursor cursor(block);
      QTextBlockFormat format = block.blockFormat();
      format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      cursor.setBlockFormat(format);
      moved = movedAny = true;
    }
    if (!moved) break;
  }
  return movedAny;
}

// Moves to the next page a table that a page break would cut so that one or two of its rows
// stand alone at the top of a page (a section's last page holding only the tail of its
// attribute table), when the whole table takes at most kMovableTableShare of a page. True
// when a table moved.
constexpr int kLeastRowsOnAPage = 3;
constexpr double kMovableTableShare = 0.6;

bool KeepTableTailsWithTheirTable(QTextDocument& document) {
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  const double pageHeight = document.pageSize().height();
  for (QTextFrame* frame : document.rootFrame()->childFrames()) {
    auto* table = qobject_cast<QTextTable*>(frame);
    if (table == nullptr || table->rows() < 2) continue;
    QTextTableFormat format = table->format();
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;
    if (layout->frameBoundingRect(table).height() > pageHeight * kMovableTableShare) continue;
    auto pageOfRow = [&](int row) {
      const QTextBlock first = table->cellAt(row, 0).firstCursorPosition().block();
      return PageAt(layout->blockBoundingRect(first).center().y(), pageHeight);
    };
    const int lastPage = pageOfRow(table->rows() - 1);
    if (pageOfRow(0) == lastPage) continue;
    int tail = 0;
    for (int row = table->rows() - 1; row >= 0 && pageOfRow(row) == lastPage; --row) ++tail;
    if (tail >= kLeastRowsOnAPage) continue;
    // A heading over the table goes along, so that no page ends with a heading alone; at
    // the opening of the section the table stays where it is (moving it there would only
    // leave a blank page).
    QTextBlock heading = table->cellAt(0, 0).firstCursorPosition().block().previous();
    if (heading.isValid() && heading.blockFormat().boolProperty(kKeepWithNextProperty)) {
      while (heading.previous().isValid() && heading.previous().blockFormat().boolProperty(kKeepWithNextProperty))
        heading = heading.previous();
      if (heading == document.begin()) continue;
      QTextBlockFormat moved = heading.blockFormat();
      moved.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      QTextCursor(heading).setBlockFormat(moved);
      return true;
    }
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    table->setFormat(format);
    return true;
  }
  return false;
}

// A section whose last page would hold fewer than kLeastTailLines lines takes along up to
// kMovableTailLines lines of whole paragraphs from the page before (none of a table), so
// that the page does not hold only the last line or two of the section. True when moved.
constexpr int kLeastTailLines = 5;
constexpr int kMovableTailLines = 3;

bool KeepSectionTailTogether(QTextDocument& document) {
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  const double pageHeight = document.pageSize().height();
  auto lineCount = [](const QTextBlock& block) { return std::max(1, block.layout() ? block.layout()->lineCount() : 1); };
  auto pageOf = [&](const QTextBlock& block) { return PageAt(layout->blockBoundingRect(block).top() + 0.5, pageHeight); };
  QTextBlock block = document.lastBlock();
  if (!block.isValid()) return false;
  const int lastPage = pageOf(block);
  if (lastPage == 0) return false;
  // The lines of the last page, a small table's cells among them.
  int tail = 0;
  for (; block.isValid() && pageOf(block) >= lastPage; block = block.previous())
    if (!block.text().trimmed().isEmpty()) tail += lineCount(block);  // empty cells hold no line
  if (tail >= kLeastTailLines) return false;
  QTextBlock first;
  // Empty blocks (the one after a table) go along without counting.
  auto lines = [&](const QTextBlock& b) { return b.text().trimmed().isEmpty() ? 0 : lineCount(b); };
  int moved = 0;
  for (; block.isValid() && QTextCursor(block).currentTable() == nullptr && moved + lines(block) <= kMovableTailLines;
       block = block.previous()) {
    moved += lines(block);
    first = block;
  }
  if (!first.isValid() || moved == 0 || first == document.begin()) return false;
  QTextBlockFormat format = first.blockFormat();
  if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) return false;
  format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  QTextCursor(first).setBlockFormat(format);
  // The blocks after it join it on its page: a break an earlier move put among them goes.
  for (QTextBlock later = first.next(); later.isValid(); later = later.next()) {
    QTextBlockFormat laterFormat = later.blockFormat();
    if (!(laterFormat.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) continue;
    laterFormat.setPageBreakPolicy(laterFormat.pageBreakPolicy() & ~QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(later).setBlockFormat(laterFormat);
  }
  return true;
}

std::unique_ptr<QTextDocument> NewSection(QPaintDevice* device, QSizeF bodySize, QObject* chartHandler,
                                          QObject* sweepHandler) {
  auto document = std::make_unique<QTextDocument>();
  document->setUndoRedoEnabled(false);
  document->documentLayout()->setPaintDevice(device);
  document->documentLayout()->registerHandler(ChartObjectHandler::kObjectType, chartHandler);
  document->documentLayout()->registerHandler(SweepObjectHandler::kObjectType, sweepHandler);
  document->setDocumentMargin(0);
  document->setDefaultFont(ReportFont(ReportFontFamily(), kBodyPt));
  document->setPageSize(bodySize);
  return document;
}

}  // namespace

ReportLayout::ReportLayout(const Chart& chart, const LagnaPageFields& fields, QPaintDevice* device,
                           QSizeF bodySize, const BirthSweep* sweep, const VargaCharts* vargas)
    // Whole pixels: the layout keeps page positions in 1/64 pixel steps, and a page height
    // it cannot hold exactly would put a line's top a hair above the page it starts.
    : bodySize_(std::floor(bodySize.width()), std::floor(bodySize.height())),
      chartHandler_(std::make_unique<ChartObjectHandler>(chart, vargas)),
      sweepHandler_(std::make_unique<SweepObjectHandler>(sweep)) {
  bodySize = bodySize_;
  auto laidOut = [&](auto write) {
    Section section;
    section.document = NewSection(device, bodySize, chartHandler_.get(), sweepHandler_.get());
    {
      // One edit block: the document is laid out once, at its end, not after every insertion.
      QTextCursor batch(section.document.get());
      batch.beginEditBlock();
      SectionWriter writer(*section.document);
      write(writer);
      batch.endEditBlock();
    }
    // Each move can shift the page breaks after it; both rules run until neither moves.
    for (int pass = 0; pass < 8; ++pass) {
      const bool tableMoved = KeepTableTailsWithTheirTable(*section.document) || KeepSectionTailTogether(*section.document);
      const bool blocksMoved = KeepShortBlocksWhole(*section.document);
      if (!KeepCaptionsWithText(*section.document) && !blocksMoved && !tableMoved) break;
    }
    section.pageCount = section.document->pageCount();
    return section;
  };

  // The chart takes most of the body's width, and never so much of its height that it could
  // not stand on one page; in the layout's own units (pixels of 96 per inch).
  const double chartSide = std::min(bodySize.width() * 0.64 * 96.0 / device->logicalDpiX(),
                                    bodySize.height() * 0.6 * 96.0 / device->logicalDpiY());
  auto front = [&](const std::vector<int>& firstPages) {
    return laidOut([&](SectionWriter& writer) {
      WriteFront(chart, chartSide, writer);
      WriteOverview(chart, firstPages, writer);
    });
  };

  std::vector<Section> lagnas;
  for (int index = 0; index < kLagnaCount; ++index)
    lagnas.push_back(laidOut([&](SectionWriter& writer) { WriteLagna(chart, fields, index, writer); }));

  // The front section's overview names the page of each lagna section. Its own length does
  // not depend on those numbers (one short line each), so a first layout with any numbers
  // tells where the lagna sections start.
  std::vector<int> firstPages(kLagnaCount, 0);
  int page = front(firstPages).pageCount;
  for (int index = 0; index < kLagnaCount; ++index) {
    firstPages[index] = page;
    page += lagnas[index].pageCount;
  }
  sections_.push_back(front(firstPages));
  for (Section& section : lagnas) sections_.push_back(std::move(section));
  if (vargas) {
    // Two charts side by side over the table, all on one page.
    const double vargaSide = std::min(bodySize.width() * 0.47 * 96.0 / device->logicalDpiX(),
                                      bodySize.height() * 0.36 * 96.0 / device->logicalDpiY());
    sections_.push_back(laidOut([&](SectionWriter& writer) { WriteDivisionalCharts(*vargas, vargaSide, writer); }));
  }
  if (sweep) {
    const double width = bodySize.width() * 96.0 / device->logicalDpiX();
    sections_.push_back(laidOut([&](SectionWriter& writer) { WriteSweep(*sweep, width, writer); }));
  }
  page = 0;
  for (Section& section : sections_) {
    section.firstPage = page;
    page += section.pageCount;
  }
}

ReportLayout::~ReportLayout() = default;

int ReportLayout::pageCount() const {
  int pages = 0;
  for (const Section& section : sections_) pages += section.pageCount;
  return pages;
}

}  // namespace corvane

#include "report_document.moc"

// The square chart's layout and drawing, the sections of the printed reading and their
// pagination.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QTextLayout>
#include <cmath>
#include <map>
#include <set>

#include "app/chart_calculation.h"
#include "app/chart_texts.h"
#include "app/page_texts.h"
#include "report/chart_drawing.h"
#include "report/report_document.h"
#include "report/report_writer.h"
#include "tests/app/sample_birth.h"

namespace corvane {
namespace {

const Chart& Sample() {
  static const CalculationResult result = CalculateChart(testing::DelhiBirth());
  return result.chart();
}

// A device of 96 dots per inch for measuring.
QImage Canvas(int side) {
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

std::vector<const ChartText*> TextsOf(const ChartLayout& layout, int sign, ChartText::Kind kind) {
  std::vector<const ChartText*> texts;
  for (const ChartText& text : layout.texts)
    if (text.sign == sign && text.kind == kind) texts.push_back(&text);
  return texts;
}

// The published fixed-sign (south Indian) square: Pisces in the top left corner, then
// clockwise Aries, Taurus, Gemini along the top, Cancer and Leo down the right side, Virgo
// in the bottom right corner, Libra, Scorpio and Sagittarius back along the bottom,
// Capricorn and Aquarius up the left side.
TEST(ChartLayout, SignsStandInTheirFixedPlaces) {
  struct Place {
    int sign, row, column;
  };
  const Place places[] = {{11, 0, 0}, {0, 0, 1}, {1, 0, 2}, {2, 0, 3}, {3, 1, 3}, {4, 2, 3},
                          {5, 3, 3},  {6, 3, 2}, {7, 3, 1}, {8, 3, 0}, {9, 2, 0}, {10, 1, 0}};
  QImage canvas = Canvas(400);
  const ChartLayout layout = LayoutChart(Sample(), QRectF(0, 0, 400, 400), &canvas);
  for (const Place& p : places) {
    EXPECT_EQ(layout.boxes[p.sign], QRectF(100.0 * p.column, 100.0 * p.row, 100, 100)) << p.sign;
    const auto number = TextsOf(layout, p.sign, ChartText::Kind::kSignNumber);
    ASSERT_EQ(number.size(), 1u);
    EXPECT_EQ(number[0]->text, QString::number(p.sign + 1));
  }
  EXPECT_EQ(layout.centre, QRectF(100, 100, 200, 200));
}

// Every body and mark of the sample chart stands in the box of its sign: the sign of each
// body's longitude and the sign of each lagna.
TEST(ChartLayout, BodiesAndMarksStandInTheirSigns) {
  const Chart& chart = Sample();
  QImage canvas = Canvas(800);
  const ChartLayout layout = LayoutChart(chart, QRectF(0, 0, 800, 800), &canvas);
  const char* names[] = {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};
  for (int body = 0; body < kBodyCount; ++body) {
    const int sign = SignOfLongitude(chart.positions.longitudeDeg[body]);
    bool found = false;
    for (const ChartText* text : TextsOf(layout, sign, ChartText::Kind::kBody))
      found = found || text->text.startsWith(names[body]);
    EXPECT_TRUE(found) << names[body] << " in sign " << sign;
  }
  for (int lagna = 0; lagna < kAscendantLagna; ++lagna) {
    int count = 0;
    for (const ChartText& text : layout.texts)
      if (text.kind == ChartText::Kind::kMark && text.text == QString::fromUtf8(kLagnaKeys[lagna].data()))
        count += text.sign == chart.lagnas.lagnas[lagna].sign ? 1 : 100;
    EXPECT_EQ(count, 1) << kLagnaKeys[lagna];
  }
}

// A sign that holds every body and every mark: each entry keeps its own place inside the
// box, wide enough for its text, and painting it leaves ink there; the marks go into more
// than one column. An ordinary box keeps one column at the full size.
TEST(ChartLayout, ACrowdedBoxKeepsEveryEntryVisible) {
  Chart chart;
  const int sign = 3;
  // Every body and all twelve lagna marks in one box, five planets retrograde.
  chart.lagnas.bodySigns.fill(sign);
  for (int body : {kMercury, kVenus, kMars, kJupiter, kSaturn}) chart.retrograde[static_cast<std::size_t>(body)] = true;
  for (LagnaPosition& lagna : chart.lagnas.lagnas) lagna = {true, sign, std::nullopt};
  chart.lagnas.padas.padaSign.fill(sign);
  Chart lone;  // AL alone in Virgo
  lone.lagnas.bodySigns.fill(-1);
  lone.lagnas.lagnas[kAL] = {true, 5, std::nullopt};
  lone.lagnas.padas.padaSign.fill(5);
  for (const int side : {240, 400, 1200}) {
    QImage canvas = Canvas(side);
    const ChartLayout layout = LayoutChart(chart, QRectF(0, 0, side, side), &canvas);
    const QRectF box = layout.boxes[sign];
    const auto bodies = TextsOf(layout, sign, ChartText::Kind::kBody);
    const auto marks = TextsOf(layout, sign, ChartText::Kind::kMark);
    ASSERT_EQ(bodies.size(), 10u);
    ASSERT_EQ(marks.size(), 12u);
    std::vector<const ChartText*> entries = bodies;
    entries.insert(entries.end(), marks.begin(), marks.end());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const ChartText& t = *entries[i];
      const QFontMetricsF metrics(t.font, &canvas);
      EXPECT_TRUE(box.contains(t.rect)) << side << " " << t.text.toStdString();
      EXPECT_LE(metrics.horizontalAdvance(t.text), t.rect.width() + 1e-6) << t.text.toStdString();
      EXPECT_GE(t.rect.height(), metrics.height() - 1e-6);
      EXPECT_GE(metrics.height(), box.height() * 0.05) << "too small to read: " << t.text.toStdString();
      for (std::size_t j = i + 1; j < entries.size(); ++j)
        EXPECT_FALSE(t.rect.intersects(entries[j]->rect)) << t.text.toStdString() << " / " << entries[j]->text.toStdString();
    }
    std::set<double> markColumns;
    for (const ChartText* mark : marks) markColumns.insert(mark->rect.left());
    EXPECT_GT(markColumns.size(), 1u) << side;

    const ChartLayout loneLayout = LayoutChart(lone, QRectF(0, 0, side, side), &canvas);
    const auto single = TextsOf(loneLayout, 5, ChartText::Kind::kMark);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_GT(single[0]->font.pointSizeF(), marks[0]->font.pointSizeF());

    QPainter painter(&canvas);
    PaintChart(painter, layout);
    painter.end();
    for (const ChartText* mark : marks) {
      int ink = 0;
      const QRect r = mark->rect.toAlignedRect().intersected(canvas.rect());
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
          const QColor c = canvas.pixelColor(x, y);
          ink += c.red() - c.green() > 30 && c.red() - c.blue() > 30;  // the marks' dark red, blended
        }
      EXPECT_GT(ink, 0) << side << " " << mark->text.toStdString();
    }
  }
}

// Sections of the reading laid out on an A4 PDF page.
class ReportSections : public ::testing::Test {
 protected:
  ReportSections() : buffer_(&bytes_) {
    buffer_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&buffer_);
    writer_->setPageLayout(ReportPageLayout({PaperSize::kA4}));
    writer_->setResolution(600);
  }
  QByteArray bytes_;
  QBuffer buffer_;
  std::unique_ptr<QPdfWriter> writer_;
};

// The readings keep their emphasis: every run's text stands in the section with the run's
// weight and colour.
TEST_F(ReportSections, ReadingsKeepTheirBoldAndDarkRedRuns) {
  const LagnaPageFields fields = PageFieldsOf(Sample());
  const ReportLayout layout(Sample(), fields, writer_.get(), QSizeF(writer_->width(), writer_->height() * 0.85));
  ASSERT_EQ(layout.sections().size(), 14u);
  struct Reading {
    int lagna;
    const RichReading* reading;
  };
  for (const Reading r : {Reading{kAL, &fields.arudhaReading}, Reading{kUL, &fields.upapadaReading}}) {
    const QTextDocument& document = *layout.sections()[1 + r.lagna].document;
    // The reading follows its heading, the section's last one.
    QTextBlock start = document.begin();
    const QString heading = QString::fromUtf8((r.lagna == kAL ? kArudhaReadingHeading : kUpapadaReadingHeading).data());
    while (start.isValid() && start.text() != heading) start = start.next();
    ASSERT_TRUE(start.isValid());
    int checked = 0, darkRed = 0;
    for (const TextRun& run : r.reading->runs) {
      const QString line = QString::fromStdString(run.text).section(QStringLiteral("\r\n"), 0, 0).trimmed();
      if (line.isEmpty()) continue;
      bool found = false;
      for (QTextBlock block = start; block.isValid() && !found; block = block.next())
        for (auto it = block.begin(); !it.atEnd() && !found; ++it) {
          const QTextFragment fragment = it.fragment();
          if (fragment.text().trimmed() != line) continue;
          found = true;
          EXPECT_EQ(fragment.charFormat().font().bold(), run.bold) << run.text;
          const QColor color = fragment.charFormat().foreground().color();
          EXPECT_EQ(color, run.darkRed ? QColor(128, 0, 0) : QColor(Qt::black)) << run.text;
          darkRed += run.darkRed;
        }
      EXPECT_TRUE(found) << run.text;
      ++checked;
    }
    EXPECT_GT(checked, 4);
    EXPECT_GT(darkRed, 0);
  }
}

// Each lagna section opens with its page caption; the Hora section holds the house text,
// the Pranapada section its caption and house text and no attribute grid.
TEST_F(ReportSections, EachLagnaHasItsSection) {
  const LagnaPageFields fields = PageFieldsOf(Sample());
  const ReportLayout layout(Sample(), fields, writer_.get(), QSizeF(writer_->width(), writer_->height() * 0.85));
  for (int lagna = 0; lagna < kLagnaCount; ++lagna) {
    const QTextDocument& document = *layout.sections()[1 + lagna].document;
    EXPECT_EQ(document.begin().text().toStdString(), kLagnaPageTexts[lagna].caption);
    const QString text = document.toPlainText();
    EXPECT_EQ(text.contains(QStringLiteral("Sign Attributes")), lagna != kPpL) << lagna;
    EXPECT_EQ(text.contains(QString::fromUtf8(fields.horaHouseText.data(), fields.horaHouseText.size())), lagna == kHL);
    EXPECT_EQ(text.contains(QString::fromStdString(fields.pranapadaCaption)), lagna == kPpL);
  }
  EXPECT_TRUE(layout.sections()[0].document->toPlainText().contains(QStringLiteral("Your Details")));
  int page = 0;
  for (const auto& section : layout.sections()) {
    EXPECT_EQ(section.firstPage, page);
    EXPECT_GE(section.pageCount, 1);
    page += section.pageCount;
  }
  EXPECT_EQ(layout.pageCount(), page);
}

// At many page heights: no line (nor the chart) crosses a page boundary, and a topic
// caption never ends a page with its text on the next.
TEST(ReportPagination, NoLineCrossesAPageAndCaptionsStayWithTheirText) {
  QImage device(10, 10, QImage::Format_RGB32);
  device.setDotsPerMeterX(11811);  // 300 per inch
  device.setDotsPerMeterY(11811);
  const LagnaPageFields fields = PageFieldsOf(Sample());
  std::set<QString> captions;
  for (const TopicText& topic : kTopicTexts) captions.insert(QString::fromUtf8(topic.caption.data()));
  int breaksInsideSections = 0;
  for (double heightPt = 330; heightPt <= 760; heightPt += 19) {
    const ReportLayout layout(Sample(), fields, &device, QSizeF(180 / 25.4 * 300, heightPt / 72 * 300));
    const QSizeF body = layout.bodySize();
    for (const auto& section : layout.sections()) {
      const QTextDocument& document = *section.document;
      QAbstractTextDocumentLayout* lines = document.documentLayout();
      auto pageOf = [&](double y) { return static_cast<int>(std::floor(y / body.height())); };
      breaksInsideSections += section.pageCount - 1;
      for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QRectF rect = lines->blockBoundingRect(block);
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
          const QTextLine line = block.layout()->lineAt(i);
          const double top = rect.top() + line.y(), bottom = top + line.height();
          EXPECT_EQ(pageOf(top), pageOf(bottom - 0.01)) << heightPt << ": " << block.text().toStdString();
        }
        if (captions.count(block.text()) && block.next().isValid()) {
          const QTextBlock next = block.next();
          EXPECT_EQ(pageOf(rect.top()), pageOf(lines->blockBoundingRect(next).top() + next.layout()->lineAt(0).y()))
              << heightPt << ": " << block.text().toStdString();
        }
      }
    }
  }
  EXPECT_GT(breaksInsideSections, 0);  // the heights did make sections run over pages
}

// At many page heights: a heading over a table stands on the page where the table starts,
// so that no page ends with a heading alone (page 2 holding only "Vedic Planetary Position").
TEST(ReportPagination, AHeadingKeepsWithTheTableItHeads) {
  QImage device(10, 10, QImage::Format_RGB32);
  device.setDotsPerMeterX(11811);  // 300 per inch
  device.setDotsPerMeterY(11811);
  const LagnaPageFields fields = PageFieldsOf(Sample());
  int headingsOverTables = 0;
  for (double heightPt = 330; heightPt <= 842; heightPt += 7) {
    const ReportLayout layout(Sample(), fields, &device, QSizeF(180 / 25.4 * 300, heightPt / 72 * 300));
    const double pageHeight = layout.bodySize().height();
    for (const auto& section : layout.sections()) {
      const QTextDocument& document = *section.document;
      QAbstractTextDocumentLayout* lines = document.documentLayout();
      for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (!next.isValid() || block.text().trimmed().isEmpty() || QTextCursor(block).currentTable() != nullptr ||
            QTextCursor(next).currentTable() == nullptr || block.blockFormat().topMargin() < 6)
          continue;
        ++headingsOverTables;
        const auto page = [&](const QTextBlock& b) {
          return static_cast<int>(std::floor((lines->blockBoundingRect(b).top() + 1) / pageHeight));
        };
        EXPECT_EQ(page(block), page(next)) << heightPt << ": " << block.text().toStdString();
      }
    }
  }
  EXPECT_GT(headingsOverTables, 100);
}

// At many page heights: a paragraph of up to eight lines is never cut by a page break, and
// one of up to sixteen lines is cut only where each page keeps at least three of its lines,
// so that no page holds only the last line or two of a reading.
TEST(ReportPagination, ShortParagraphsStayWholeAndNoPageHoldsOnlyATail) {
  QImage device(10, 10, QImage::Format_RGB32);
  device.setDotsPerMeterX(11811);  // 300 per inch
  device.setDotsPerMeterY(11811);
  const LagnaPageFields fields = PageFieldsOf(Sample());
  int cutParagraphs = 0, shortParagraphsNearABreak = 0;
  for (double heightPt = 330; heightPt <= 760; heightPt += 7) {
    const ReportLayout layout(Sample(), fields, &device, QSizeF(180 / 25.4 * 300, heightPt / 72 * 300));
    const double pageHeight = layout.bodySize().height();
    for (const auto& section : layout.sections()) {
      const QTextDocument& document = *section.document;
      QAbstractTextDocumentLayout* lines = document.documentLayout();
      // The last page of a section that runs over holds five lines or more, unless what
      // stands before them is a table or a paragraph of more than three lines.
      if (section.pageCount > 1) {
        const int lastPage = section.pageCount - 1;
        int tail = 0;
        QTextBlock before = document.lastBlock();
        for (; before.isValid() && lines->blockBoundingRect(before).top() + 0.5 >= lastPage * pageHeight;
             before = before.previous())
          if (!before.text().trimmed().isEmpty()) tail += before.layout()->lineCount();
        while (before.isValid() && before.text().trimmed().isEmpty() && QTextCursor(before).currentTable() == nullptr)
          before = before.previous();
        const bool movable = before.isValid() && QTextCursor(before).currentTable() == nullptr &&
                             before.layout()->lineCount() <= 3;
        // (A last page holding no line at all, only the empty block after a table, is a
        // different fault, not a tail, and is not judged here.)
        if (movable && tail > 0) {
          EXPECT_GE(tail, 5) << heightPt << ": " << before.text().toStdString();
        }
      }
      for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int count = block.layout()->lineCount();
        if (count < 2) continue;
        const double top = lines->blockBoundingRect(block).top();
        std::map<int, int> linesPerPage;
        for (int i = 0; i < count; ++i) {
          const QTextLine line = block.layout()->lineAt(i);
          ++linesPerPage[static_cast<int>(std::floor((top + line.y() + line.height() / 2) / pageHeight))];
        }
        // A paragraph that ends within three lines of a page's foot or starts within three
        // of its head: the cases a break could have cut.
        const double lineHeight = block.layout()->lineAt(0).height();
        const double offset = std::fmod(top, pageHeight);
        if (count <= 8 && (offset < 3 * lineHeight || offset + count * lineHeight > pageHeight - 3 * lineHeight))
          ++shortParagraphsNearABreak;
        if (linesPerPage.size() < 2) continue;
        ++cutParagraphs;
        EXPECT_GT(count, 8) << heightPt << ": " << block.text().left(60).toStdString();
        if (count > 16) continue;
        for (const auto& [page, onPage] : linesPerPage) {
          EXPECT_GE(onPage, 3) << heightPt << ", page " << page << ": " << block.text().left(60).toStdString();
        }
      }
    }
  }
  // The heights did bring paragraphs to page breaks.
  EXPECT_GT(shortParagraphsNearABreak, 10);
  RecordProperty("cut_paragraphs", cutParagraphs);
}

TEST(ReportPdf, PaintsEveryPageOfTheLayout) {
  const LagnaPageFields fields = PageFieldsOf(Sample());
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setPageLayout(ReportPageLayout({PaperSize::kLetter}));
  const BirthSweep sweep = SweepOfChart(Sample(), kDefaultPrintedSweepMinutes);
  const int pages = PaintReport(Sample(), fields, writer, &sweep);
  EXPECT_GE(pages, 14);
  EXPECT_TRUE(bytes.startsWith("%PDF-"));
  EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
  EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), pages);
}

// The paper from the locale is checked in runs with LC_ALL set (see CMakeLists.txt), each
// with the paper that locale's country uses.
TEST(Paper, FromLocale) {
  const QByteArray expected = qgetenv("CORVANE_EXPECTED_PAPER");
  if (expected.isEmpty()) GTEST_SKIP() << "runs with CORVANE_EXPECTED_PAPER and LC_ALL set";
  const QPageSize page = ReportPageSize({PaperSize::kFromLocale});
  EXPECT_EQ(page.id(), expected == "Letter" ? QPageSize::Letter : QPageSize::A4) << qgetenv("LC_ALL").toStdString();
  EXPECT_EQ(ReportPageSize({PaperSize::kA4}).id(), QPageSize::A4);
  EXPECT_EQ(ReportPageSize({PaperSize::kLetter}).id(), QPageSize::Letter);
}

}  // namespace
}  // namespace corvane

#include "report/report_writer.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include "report/chart_drawing.h"
#include "report/page_geometry.h"
#include "report/report_document.h"
#include "report/report_fonts.h"

namespace corvane {
namespace {

const QColor kMuted(90, 90, 90);
const QColor kRule(150, 150, 150);

double PointsToPixels(double points, const QPaintDevice& device) { return points * device.logicalDpiY() / 72.0; }

QFont DeviceFont(double points, bool bold) { return ReportFont(ReportFontFamily(), points, bold); }

void PaintHeader(QPainter& painter, const Chart& chart, const QRectF& band) {
  const QPaintDevice& device = *painter.device();
  const QFont nameFont = DeviceFont(8.5, true);
  const QFont plainFont = DeviceFont(8.5, false);
  const double baseline = band.top() + QFontMetricsF(nameFont, &device).ascent();
  const QString program = QStringLiteral("Vedic Special Lagnas \u00b7 Corvane v1.25");
  // The name and the birth keep clear of the program's name on the right; a long name ends
  // in "…" rather than running into it.
  const double room = band.width() - QFontMetricsF(plainFont, &device).horizontalAdvance(program) -
                      PointsToPixels(12, device);
  const QString born = QStringLiteral("   born %1").arg(BirthMomentText(chart));
  const QString name = QFontMetricsF(nameFont, &device)
                           .elidedText(QString::fromStdString(chart.birth.name), Qt::ElideRight,
                                       std::max(room - QFontMetricsF(plainFont, &device).horizontalAdvance(born),
                                                room / 3));
  painter.setPen(Qt::black);
  painter.setFont(nameFont);
  painter.drawText(QPointF(band.left(), baseline), name);
  const double nameWidth = QFontMetricsF(nameFont, &device).horizontalAdvance(name);
  painter.setFont(plainFont);
  painter.setPen(kMuted);
  painter.drawText(QPointF(band.left() + nameWidth, baseline), born);
  painter.drawText(QPointF(band.right() - QFontMetricsF(plainFont, &device).horizontalAdvance(program), baseline),
                   program);
  const double ruleY = baseline + QFontMetricsF(plainFont, &device).descent() + PointsToPixels(3, device);
  painter.setPen(QPen(kRule, PointsToPixels(0.5, device)));
  painter.drawLine(QPointF(band.left(), ruleY), QPointF(band.right(), ruleY));
}

void PaintFooter(QPainter& painter, int page, int pages, const QRectF& band) {
  painter.setFont(DeviceFont(8.5, false));
  painter.setPen(kMuted);
  const QString text = QStringLiteral("page %1 of %2").arg(page).arg(pages);
  painter.drawText(band, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, text);
}

}  // namespace

QPageSize ReportPageSize(const ReportOptions& options) {
  switch (options.paper) {
    case PaperSize::kA4:
      return QPageSize(QPageSize::A4);
    case PaperSize::kLetter:
      return QPageSize(QPageSize::Letter);
    case PaperSize::kFromLocale:
      break;
  }
  return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                       : QPageSize::A4);
}

QPageLayout ReportPageLayout(const ReportOptions& options) {
  return QPageLayout(ReportPageSize(options), QPageLayout::Portrait,
                     QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm), QPageLayout::Millimeter);
}

int PaintReport(const Chart& chart, const LagnaPageFields& fields, QPagedPaintDevice& device,
                const BirthSweep* sweep, const VargaCharts* vargas) {
  QPainter painter;
  if (!painter.begin(&device)) return 0;
  // The painter's origin is the top left corner of the printable area.
  const QRectF area(0, 0, device.width(), device.height());
  const double headerBand = PointsToPixels(kHeaderBandPt, device);
  const double footerBand = PointsToPixels(kFooterBandPt, device);
  const QRectF body(area.left(), area.top() + headerBand, area.width(), area.height() - headerBand - footerBand);
  const QRectF footer(area.left(), body.bottom(), area.width(), footerBand);

  const ReportLayout layout(chart, fields, &device, body.size(), sweep, vargas);
  const QSizeF page = layout.bodySize();
  const int pages = layout.pageCount();
  for (const ReportLayout::Section& section : layout.sections()) {
    for (int sheet = 0; sheet < section.pageCount; ++sheet) {
      const int number = section.firstPage + sheet;
      if (number > 0 && !device.newPage()) return 0;
      PaintHeader(painter, chart, area);
      PaintFooter(painter, number + 1, pages, footer);
      painter.save();
      painter.translate(body.left(), body.top() - sheet * page.height());
      QAbstractTextDocumentLayout::PaintContext context;
      context.clip = QRectF(0, sheet * page.height(), page.width(), page.height());
      context.palette.setColor(QPalette::Text, Qt::black);
      painter.setClipRect(context.clip);
      section.document->documentLayout()->draw(&painter, context);
      painter.restore();
    }
  }
  return painter.end() ? pages : 0;
}

bool WriteReportPdf(const Chart& chart, const LagnaPageFields& fields, const ReportOptions& options,
                    QIODevice& out) {
  QPdfWriter writer(&out);
  writer.setPageLayout(ReportPageLayout(options));
  writer.setResolution(1200);
  writer.setCreator(QStringLiteral("Corvane v1.25"));
  writer.setTitle(QStringLiteral("Vedic Special Lagnas: %1").arg(QString::fromStdString(chart.birth.name)));
  return PaintReport(chart, fields, writer, options.sweep, options.divisionalCharts ? options.vargas : nullptr) > 0;
}

QByteArray ReportPdfBytes(const Chart& chart, const LagnaPageFields& fields, const ReportOptions& options) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!WriteReportPdf(chart, fields, options, buffer)) return {};
  return bytes;
}

}  // namespace corvane

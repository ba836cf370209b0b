#include "report/sweep_picture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "report/report_fonts.h"
#include "report/report_options.h"
#include "report/sweep_drawing.h"

namespace corvane {
namespace {

constexpr double kAspect = 0.44;  // height over width

QString TitleOf(const BirthSweep& sweep, const std::string& name) {
  QString title = QString::fromStdString(name).trimmed();
  if (!title.isEmpty()) title += QStringLiteral(", ");
  return title + QString::fromStdString(SweepDateTimeText(sweep.given)) + QStringLiteral(" \u00b1%1 min").arg(sweep.minutes);
}

void Paint(QPainter& painter, const BirthSweep& sweep, const std::string& name, double width) {
  const double height = width * kAspect;
  const double margin = width * 0.015, line = height * 0.07;
  QFont font = ReportFont(ReportFontFamily(), 9);
  font.setPixelSize(std::max(6, static_cast<int>(line * 0.55)));
  QFont bold = font;
  bold.setBold(true);
  painter.setPen(Qt::black);
  painter.setFont(bold);
  painter.drawText(QRectF(margin, margin, width - 2 * margin, line), Qt::AlignLeft | Qt::AlignVCenter,
                   TitleOf(sweep, name));
  PaintSweep(painter, sweep, QRectF(margin, margin + line, width - 2 * margin, height - 2 * margin - 3 * line));
  // The summary under it, on two lines when it needs them.
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRectF(margin, height - margin - 2 * line, width - 2 * margin, 2 * line),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, QString::fromStdString(SweepSummary(sweep)));
}

}  // namespace

QByteArray SweepSvgBytes(const BirthSweep& sweep, const std::string& name) {
  constexpr int kWidth = 1000;
  const int height = static_cast<int>(kWidth * kAspect);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(kWidth, height));
  generator.setViewBox(QRect(0, 0, kWidth, height));
  generator.setResolution(96);
  generator.setTitle(QStringLiteral("Birth-time sweep"));
  generator.setDescription(TitleOf(sweep, name));
  QPainter painter;
  if (!painter.begin(&generator)) return {};
  painter.fillRect(QRectF(0, 0, kWidth, height), Qt::white);
  Paint(painter, sweep, name, kWidth);
  if (!painter.end()) return {};
  return bytes;
}

QByteArray SweepPngBytes(const BirthSweep& sweep, const std::string& name, int width) {
  if (width < kSmallestPictureSize || width > kLargestPictureSize) return {};
  QImage image(width, static_cast<int>(width * kAspect), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    Paint(painter, sweep, name, width);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return bytes;
}

}  // namespace corvane

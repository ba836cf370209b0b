#include "report/chart_picture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "report/chart_drawing.h"

namespace corvane {
namespace {

// A thin white margin keeps the frame's outer half inside the picture.
QRectF ChartArea(double side) {
  const double margin = side * 0.015;
  return QRectF(margin, margin, side - 2 * margin, side - 2 * margin);
}

template <typename Write>
QByteArray ToBytes(Write write) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!write(buffer)) return {};
  buffer.close();
  return bytes;
}

}  // namespace

bool WriteChartSvg(const Chart& chart, QIODevice& out, int size, DrawnVarga shown) {
  if (size < kSmallestPictureSize || size > kLargestPictureSize) return false;
  QSvgGenerator generator;
  generator.setOutputDevice(&out);
  generator.setSize(QSize(size, size));
  generator.setViewBox(QRect(0, 0, size, size));
  generator.setResolution(96);  // so that a viewer shows the drawing `size` CSS pixels wide
  generator.setTitle(QStringLiteral("Vedic Special Lagnas Chart"));
  generator.setDescription(QString::fromStdString(chart.birth.name) + QStringLiteral(", ") +
                           BirthMomentText(chart));
  QPainter painter;
  if (!painter.begin(&generator)) return false;
  PaintChart(painter, chart, ChartArea(size), shown);
  return painter.end() && out.isOpen();
}

bool WriteChartPng(const Chart& chart, int pixels, QIODevice& out, DrawnVarga shown) {
  if (pixels < kSmallestPictureSize || pixels > kLargestPictureSize) return false;
  QImage image(pixels, pixels, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    PaintChart(painter, chart, ChartArea(pixels), shown);
  }
  return image.save(&out, "PNG");
}

QByteArray ChartSvgBytes(const Chart& chart, int size, DrawnVarga shown) {
  return ToBytes([&](QIODevice& out) { return WriteChartSvg(chart, out, size, shown); });
}

QByteArray ChartPngBytes(const Chart& chart, int pixels, DrawnVarga shown) {
  return ToBytes([&](QIODevice& out) { return WriteChartPng(chart, pixels, out, shown); });
}

}  // namespace corvane

#pragma once
#include <QByteArray>

#include "app/chart.h"
#include "report/chart_drawing.h"
#include "report/report_options.h"

class QIODevice;

namespace corvane {

// The square chart as an SVG drawing `size` units square: vector lines and real text, one
// <rect> per sign box. False when the device refused the bytes.
bool WriteChartSvg(const Chart& chart, QIODevice& out, int size = 800, DrawnVarga shown = {});

// The square chart as a PNG picture of `pixels` by `pixels` on white. False for a size
// outside kSmallestPictureSize..kLargestPictureSize or when the device refused the bytes.
bool WriteChartPng(const Chart& chart, int pixels, QIODevice& out, DrawnVarga shown = {});

// The same into bytes; empty on failure.
QByteArray ChartSvgBytes(const Chart& chart, int size = 800, DrawnVarga shown = {});
QByteArray ChartPngBytes(const Chart& chart, int pixels, DrawnVarga shown = {});

}  // namespace corvane

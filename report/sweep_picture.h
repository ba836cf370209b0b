#pragma once
#include <QByteArray>

#include "app/birth_sweep.h"

namespace corvane {

// The birth-time sweep alone as a picture: a title line with the name and the window, the
// timeline, and the summary line under it. The SVG drawing is 1000 by 440 units; the PNG
// picture `width` pixels wide (kSmallestPictureSize..kLargestPictureSize) and in proportion.
// Empty bytes when it could not be drawn.
QByteArray SweepSvgBytes(const BirthSweep& sweep, const std::string& name);
QByteArray SweepPngBytes(const BirthSweep& sweep, const std::string& name, int width = 1400);

}  // namespace corvane

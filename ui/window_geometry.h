#pragma once
#include <QList>
#include <QRect>
#include <QString>
#include <optional>

class QWidget;

namespace corvane {

// Where a kept window goes on the screens there are now: the kept rectangle when a screen's
// available area holds its centre, shrunk to that area and moved wholly inside it; nothing
// when no screen shows its centre (a screen since unplugged), so that the window takes its
// designed place instead.
std::optional<QRect> PlaceOnScreens(const QRect& kept, const QList<QRect>& availableAreas);

// Keeps the window's size and place (and whether it was maximized) in the program's
// settings under `key` whenever it is hidden or closed, and puts it back now if the
// settings hold a place that a screen can show. True when a kept place was restored.
bool KeepWindowGeometry(QWidget* window, const QString& key);

// The kept rectangle of `key`, if any (for tests and the first placement of a window).
std::optional<QRect> KeptWindowGeometry(const QString& key);

}  // namespace corvane

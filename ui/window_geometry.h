#pragma once
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class QWidget;

namespace corvane {

// Where a kept window goes on the screens there are now: the kept rectangle (the window with
// its frame) when a screen's available area holds its centre, shrunk to that area and moved
// wholly inside it; nothing when no screen shows its centre (a screen since unplugged), so
// that the window takes its designed place instead.
std::optional<QRect> PlaceOnScreens(const QRect& kept, const QList<QRect>& availableAreas);

// The top-left corner that keeps `outer` (a window with its frame) wholly inside `area`, the
// bottom edge first: a window larger than the area keeps its title bar on screen.
QPoint KeepInside(const QRect& outer, const QRect& area);

// A kept window: its outer rectangle (frame and title bar included) and the size of its
// inside, which is what resize() takes. Saving and restoring the outer place both ways keeps
// a window where it was, however tall the window manager's title bar.
struct KeptGeometry {
  QRect frame;
  QSize client;
};

// Keeps the window's size and place (and whether it was maximized) in the program's
// settings under `key` whenever it is hidden or closed, and puts it back now if the
// settings hold a place that a screen can show. True when a kept place was restored.
// Each time the window is shown it is moved, if need be, so that its bottom edge is on the
// screen.
bool KeepWindowGeometry(QWidget* window, const QString& key);

// The kept geometry of `key`, if any (for tests and the first placement of a window).
std::optional<KeptGeometry> KeptWindowGeometry(const QString& key);

// Where a window of outer size `outer` opened from the window `owner` (outer rectangle)
// goes: to the right of the owner when the area has room there, else to its left, else over
// the owner's lower right part; always wholly inside `area` where it fits.
QPoint BesideOrOver(const QRect& owner, const QSize& outer, const QRect& area);

// Moves a shown window so that it lies wholly on the available area of its screen.
void KeepOnScreen(QWidget* window);

// The window's outer rectangle (frame and title bar included) as the window system has it
// now. QWidget::frameGeometry() may still hold the inside rectangle after the window is shown
// again under a window manager.
QRect OuterGeometry(const QWidget* window);

// Moves a window so that its outer rectangle's corner is `corner`.
void MoveOuterTo(QWidget* window, const QPoint& corner);

}  // namespace corvane

#include "ui/window_geometry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace corvane {

namespace {

QSettings Store() { return QSettings("Corvane", "Corvane"); }
// The outer rectangle and the inside size. The "geometry" key of earlier versions held the
// inside rectangle, which restored with the frame's corner moved the window down by the
// height of the title bar at every start; it is no longer read.
QString FrameKey(const QString& key) { return "windows/" + key + "/frame"; }
QString ClientKey(const QString& key) { return "windows/" + key + "/client"; }
QString MaximizedKey(const QString& key) { return "windows/" + key + "/maximized"; }

void Save(QWidget* window, const QString& key) {
  QSettings store = Store();
  // A maximized window keeps the size it returns to: its normal geometry, with the frame's
  // margins as they are now.
  const bool maximized = window->isMaximized() || window->isFullScreen();
  const QRect inside = maximized ? window->normalGeometry() : window->geometry();
  const QRect frame = OuterGeometry(window);
  const QMargins margins(window->geometry().left() - frame.left(), window->geometry().top() - frame.top(),
                         frame.right() - window->geometry().right(), frame.bottom() - window->geometry().bottom());
  const QRect outer = inside.marginsAdded(margins);
  if (inside.isValid() && outer.isValid()) {
    store.setValue(FrameKey(key), outer);
    store.setValue(ClientKey(key), inside.size());
  }
  store.setValue(MaximizedKey(key), window->isMaximized());
}

QRect AvailableAreaOf(const QWidget* window) {
  const QScreen* screen = QGuiApplication::screenAt(OuterGeometry(window).center());
  if (screen == nullptr) screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

// Saves the window's geometry each time it is closed or hidden, and when the program ends
// with the window still open; keeps it on the screen each time it is shown.
class GeometryKeeper : public QObject {
 public:
  GeometryKeeper(QWidget* window, QString key) : QObject(window), window_(window), key_(std::move(key)) {
    window->installEventFilter(this);
    if (QCoreApplication* app = QCoreApplication::instance())
      connect(app, &QCoreApplication::aboutToQuit, this, [this] {
        if (window_ && window_->isVisible()) Save(window_, key_);
      });
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != window_) return false;
    switch (event->type()) {
      case QEvent::Hide:
      case QEvent::Close:
        if (!window_->isMinimized()) Save(window_, key_);
        framePending_ = false;
        break;
      case QEvent::Show:
        // The window is kept on the screen once its frame is known: a window manager puts
        // the frame around it a little after it is shown (the window then moves inside it).
        // Until then the outer rectangle is the inside one and would place the window a
        // title bar too low. Without a frame to wait for, it is kept there soon after.
        framePending_ = true;
        QTimer::singleShot(0, this, [this] { keepOnScreenOnceFramed(false); });
        QTimer::singleShot(kFrameWaitMs, this, [this] { keepOnScreenOnceFramed(true); });
        break;
      case QEvent::Move:
      case QEvent::Resize:
        if (framePending_) QTimer::singleShot(0, this, [this] { keepOnScreenOnceFramed(false); });
        break;
      default:
        break;
    }
    return false;
  }

 private:
  static constexpr int kFrameWaitMs = 300;

  void keepOnScreenOnceFramed(bool waitedEnough) {
    if (!window_ || !framePending_ || !window_->isVisible()) return;
    if (!waitedEnough && OuterGeometry(window_) == window_->geometry()) return;
    framePending_ = false;
    KeepOnScreen(window_);
  }

  QPointer<QWidget> window_;
  QString key_;
  bool framePending_ = false;  // shown, and not yet kept on the screen with its frame
};

}  // namespace

QPoint KeepInside(const QRect& outer, const QRect& area) {
  const int left = std::max(area.left(), std::min(outer.left(), area.right() + 1 - outer.width()));
  const int top = std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - outer.height()));
  return QPoint(left, top);
}

QPoint BesideOrOver(const QRect& owner, const QSize& outer, const QRect& area) {
  constexpr int kGap = 8;
  QPoint wanted;
  if (owner.right() + kGap + outer.width() <= area.right() + 1)
    wanted = QPoint(owner.right() + 1 + kGap, owner.top());
  else if (owner.left() - kGap - outer.width() >= area.left())
    wanted = QPoint(owner.left() - kGap - outer.width(), owner.top());
  else  // over the owner, its lower right corner on the owner's, a little inside
    wanted = QPoint(owner.right() + 1 - 40 - outer.width(), owner.bottom() + 1 - 40 - outer.height());
  return KeepInside(QRect(wanted, outer), area);
}

std::optional<QRect> PlaceOnScreens(const QRect& kept, const QList<QRect>& availableAreas) {
  if (!kept.isValid()) return std::nullopt;
  for (const QRect& area : availableAreas) {
    if (!area.isValid() || !area.contains(kept.center())) continue;
    QRect placed(kept.topLeft(), kept.size().boundedTo(area.size()));
    placed.moveTopLeft(KeepInside(placed, area));
    return placed;
  }
  return std::nullopt;
}

std::optional<KeptGeometry> KeptWindowGeometry(const QString& key) {
  QSettings store = Store();
  const QRect frame = store.value(FrameKey(key)).toRect();
  const QSize client = store.value(ClientKey(key)).toSize();
  if (!frame.isValid() || !client.isValid() || client.width() > frame.width() || client.height() > frame.height())
    return std::nullopt;
  return KeptGeometry{frame, client};
}

bool KeepWindowGeometry(QWidget* window, const QString& key) {
  new GeometryKeeper(window, key);
  const std::optional<KeptGeometry> kept = KeptWindowGeometry(key);
  if (!kept) return false;
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
  const std::optional<QRect> placed = PlaceOnScreens(kept->frame, areas);
  if (!placed) return false;
  // The frame shrinks with the inside; never below the window's own smallest size, which
  // keeps every control whole.
  const QSize frameMargins = kept->frame.size() - kept->client;
  window->resize((placed->size() - frameMargins).expandedTo(window->minimumSize()));
  window->move(placed->topLeft());  // move() places the frame's corner
  if (Store().value(MaximizedKey(key)).toBool()) window->setWindowState(window->windowState() | Qt::WindowMaximized);
  return true;
}

void KeepOnScreen(QWidget* window) {
  if (window->isMaximized() || window->isFullScreen() || !window->isVisible()) return;
  const QRect area = AvailableAreaOf(window);
  if (!area.isValid()) return;
  const QRect outer = OuterGeometry(window);
  const QPoint inside = KeepInside(outer, area);
  if (inside != outer.topLeft()) MoveOuterTo(window, inside);
}

QRect OuterGeometry(const QWidget* window) {
  // The platform window's frame is asked of the window system each time; the widget's copy
  // of the frame's margins is only brought up to date when the window moves, and a window
  // shown again where it stood keeps margins read before the window manager framed it.
  if (const QWindow* handle = window->windowHandle()) return handle->frameGeometry();
  return window->frameGeometry();
}

void MoveOuterTo(QWidget* window, const QPoint& corner) {
  const QWindow* handle = window->windowHandle();
  if (handle == nullptr || !window->isVisible()) {
    window->move(corner);  // before it is shown, move() places the frame's corner
    return;
  }
  const QMargins margins = handle->frameMargins();
  window->setGeometry(QRect(corner + QPoint(margins.left(), margins.top()), window->size()));
}

}  // namespace corvane

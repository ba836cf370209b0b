#include "ui/window_geometry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace corvane {

namespace {

QSettings Store() { return QSettings("Corvane", "Corvane"); }
QString RectKey(const QString& key) { return "windows/" + key + "/geometry"; }
QString MaximizedKey(const QString& key) { return "windows/" + key + "/maximized"; }

void Save(QWidget* window, const QString& key) {
  QSettings store = Store();
  // The normal geometry is the size a maximized window returns to.
  const QRect normal = window->isMaximized() || window->isFullScreen() ? window->normalGeometry() : window->geometry();
  if (normal.isValid()) store.setValue(RectKey(key), normal);
  store.setValue(MaximizedKey(key), window->isMaximized());
}

// Saves the window's geometry each time it is closed or hidden, and when the program ends
// with the window still open.
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
    if (watched == window_ && (event->type() == QEvent::Hide || event->type() == QEvent::Close) &&
        !window_->isMinimized())
      Save(window_, key_);
    return false;
  }

 private:
  QPointer<QWidget> window_;
  QString key_;
};

}  // namespace

std::optional<QRect> PlaceOnScreens(const QRect& kept, const QList<QRect>& availableAreas) {
  if (!kept.isValid()) return std::nullopt;
  for (const QRect& area : availableAreas) {
    if (!area.isValid() || !area.contains(kept.center())) continue;
    QRect placed(kept.topLeft(), kept.size().boundedTo(area.size()));
    placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() + 1 - placed.height()));
    return placed;
  }
  return std::nullopt;
}

std::optional<QRect> KeptWindowGeometry(const QString& key) {
  const QVariant value = Store().value(RectKey(key));
  if (!value.isValid()) return std::nullopt;
  const QRect rect = value.toRect();
  if (!rect.isValid()) return std::nullopt;
  return rect;
}

bool KeepWindowGeometry(QWidget* window, const QString& key) {
  new GeometryKeeper(window, key);
  const std::optional<QRect> kept = KeptWindowGeometry(key);
  if (!kept) return false;
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
  const std::optional<QRect> placed = PlaceOnScreens(*kept, areas);
  if (!placed) return false;
  // Never below the window's own smallest size, which keeps every control whole.
  window->resize(placed->size().expandedTo(window->minimumSize()));
  window->move(placed->topLeft());
  if (Store().value(MaximizedKey(key)).toBool()) window->setWindowState(window->windowState() | Qt::WindowMaximized);
  return true;
}

}  // namespace corvane

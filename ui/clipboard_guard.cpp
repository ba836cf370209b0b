#include "ui/clipboard_guard.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QPlainTextEdit>

namespace corvane {

ClipboardGuard::ClipboardGuard(QObject* parent) : QObject(parent) {}

void ClipboardGuard::guard(QPlainTextEdit* box) {
  QWidget* viewport = box->viewport();
  viewport->setMouseTracking(true);
  viewport->installEventFilter(this);
  connect(box, &QPlainTextEdit::textChanged, this, &ClipboardGuard::EmptyClipboard);
}

void ClipboardGuard::EmptyClipboard() {
  if (QGuiApplication::instance() == nullptr) return;
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->clear();
}

bool ClipboardGuard::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      EmptyClipboard();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);  // the box still handles the event
}

}  // namespace corvane

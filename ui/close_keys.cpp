#include "ui/close_keys.h"

#include <QAction>
#include <QPushButton>
#include <QWidget>

namespace corvane {

void AddCloseKeys(QWidget* window, std::function<void()> close) {
  auto* keys = new QAction(window);
  keys->setObjectName("actClose");
  keys->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
  keys->setShortcutContext(Qt::WindowShortcut);
  if (close)
    QObject::connect(keys, &QAction::triggered, window, std::move(close));
  else
    QObject::connect(keys, &QAction::triggered, window, &QWidget::close);
  window->addAction(keys);
}

QPushButton* MakeCloseButton(QWidget* window) {
  auto* button = new QPushButton("&Close", window);
  button->setObjectName("cmdClose");
  button->setAccessibleDescription("Closes this window");
  QObject::connect(button, &QPushButton::clicked, window, &QWidget::close);
  return button;
}

}  // namespace corvane

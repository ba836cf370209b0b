#pragma once
// Checks shared by the widget tests: no text or control cut by a window that is too small.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QtTest>

namespace corvane::testing {

// Every visible label outside a scroll area has the width and height its text needs, and
// every visible text box, list and button at least its smallest height and width.
inline void CheckNothingClipped(QWidget* root) {
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(root)) continue;
    bool scrolled = false;
    for (QWidget* w = widget->parentWidget(); w != root && w != nullptr; w = w->parentWidget())
      scrolled = scrolled || qobject_cast<QScrollArea*>(w) != nullptr;
    if (scrolled) continue;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      if (label->text().isEmpty()) continue;
      const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
      QVERIFY2(label->height() >= needed, qPrintable(label->text()));
      if (!label->wordWrap())
        QVERIFY2(label->width() >= label->sizeHint().width() || !label->toolTip().isEmpty(), qPrintable(label->text()));
    } else if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
               qobject_cast<QAbstractButton*>(widget)) {
      QVERIFY2(widget->height() >= widget->minimumSizeHint().height(), qPrintable(widget->objectName()));
      if (qobject_cast<QAbstractButton*>(widget))
        QVERIFY2(widget->width() >= widget->minimumSizeHint().width(), qPrintable(widget->objectName()));
    }
  }
}

}  // namespace corvane::testing

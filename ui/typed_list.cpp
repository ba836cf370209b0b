#include "ui/typed_list.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

namespace corvane {

namespace {
constexpr int kMostDigits = 4;  // the longest number of any list (the years)
}

TypedList::TypedList(Items items, QWidget* parent) : QComboBox(parent), items_(items) {}

bool TypedList::typingGoesOn() const {
  return lastKey_.isValid() && lastKey_.elapsed() < QApplication::keyboardInputInterval();
}

bool TypedList::selectTyped(const QString& digits) {
  const QString number = QString::number(digits.toInt());
  const int exact = findText(number, Qt::MatchExactly);
  if (exact >= 0) {
    if (exact != currentIndex()) {
      setCurrentIndex(exact);
      emit activated(exact);
    }
    return true;
  }
  if (number == "0") return true;  // leading zeros so far: the number is still to come
  for (int i = 0; i < count(); ++i)
    if (itemText(i).startsWith(number)) return true;
  return false;
}

void TypedList::keyPressEvent(QKeyEvent* event) {
  const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  const QString text = event->text();
  const bool goesOn = typingGoesOn();
  if (plain && items_ == Items::Numbers && text.size() == 1 && text.at(0).isDigit()) {
    digits_ = goesOn && digits_.size() < kMostDigits ? digits_ + text : text;
    typed_ = goesOn && typed_.size() < kMostDigits ? typed_ + text : text;
    qsizetype longest = 0;
    for (int i = 0; i < count(); ++i) longest = std::max(longest, itemText(i).size());
    if (typed_.size() == longest && findText(QString::number(typed_.toInt()), Qt::MatchExactly) < 0) {
      emit numberRefused(typed_.toInt());
      typed_.clear();
    }
    if (!selectTyped(digits_)) {
      digits_ = text;  // no number goes on like this: the digit starts a new one
      if (!selectTyped(digits_)) digits_.clear();
    }
    lastKey_.restart();
    return;
  }
  if (plain && items_ == Items::Texts && event->key() == Qt::Key_Space && goesOn) {
    // The list's own search (the same one letters go to) takes the blank.
    QKeyEvent search(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, " ");
    QComboBox::keyPressEvent(&search);
    lastKey_.restart();
    return;
  }
  if (plain && !text.isEmpty() && text.at(0).isPrint()) {
    lastKey_.restart();
  } else {
    lastKey_.invalidate();
  }
  QComboBox::keyPressEvent(event);
}

void TypedList::focusOutEvent(QFocusEvent* event) {
  lastKey_.invalidate();
  QComboBox::focusOutEvent(event);
}

}  // namespace corvane

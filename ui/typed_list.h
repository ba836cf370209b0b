#pragma once
#include <QComboBox>
#include <QElapsedTimer>

namespace corvane {

// A drop-down list that selects by typing. In a list of numbers the digits typed in quick
// succession (QApplication::keyboardInputInterval) form one number, which is selected when
// the list holds it: 5 selects 5, 05 selects 5, 50 selects 50, 1987 selects 1987; a pause
// starts a new number. In a list of texts a blank typed in the middle of a name joins the
// search instead of opening the list.
class TypedList : public QComboBox {
  Q_OBJECT
 public:
  enum class Items { Numbers, Texts };
  TypedList(Items items, QWidget* parent = nullptr);

 signals:
  // Digits typed in quick succession spelt a number as long as the list's longest item that
  // the list does not hold (1880 in a list of the years 1901 to 2050). The selection stays.
  void numberRefused(int number);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Selects the number the digits spell; false when no item is or begins with it.
  bool selectTyped(const QString& digits);
  bool typingGoesOn() const;

  Items items_;
  QString digits_;
  QString typed_;  // every digit of the number being typed, held or not
  QElapsedTimer lastKey_;
};

}  // namespace corvane

#pragma once
#include <QLineEdit>

#include "app/birth_validation.h"

namespace corvane {

// A text box whose typed keys pass through one of the birth data key filters: a rejected key
// leaves the text unchanged and shows the filter's message. Pasted or dropped text must pass
// the same filter as a whole, so "12a" or "-5" never reach a coordinate field.
class FilteredLineEdit : public QLineEdit {
  Q_OBJECT
 public:
  FilteredLineEdit(KeyFilter filter, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool acceptsText(const QString& text) const;
  void reject();

  KeyFilter filter_;
};

}  // namespace corvane

#pragma once
#include <QLineEdit>
#include <optional>

#include "app/birth_validation.h"

namespace corvane {

// A text box whose typed keys pass through one of the birth data key filters: a rejected key
// leaves the text unchanged and shows the filter's message. Text arriving any other way
// (pasted with the keys or the context menu, dropped, committed by an input method) must pass
// the same filter as a whole, so "12a" or "-5" never reach a coordinate field and a name
// takes "josé" as "JOSÉ".
class FilteredLineEdit : public QLineEdit {
  Q_OBJECT
 public:
  FilteredLineEdit(KeyFilter filter, QWidget* parent = nullptr);

  // The text as the filter passes it (names in capitals); nothing when it is refused.
  std::optional<QString> filtered(const QString& text) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void pasteChecked();
  void reject();

  KeyFilter filter_;
};

}  // namespace corvane

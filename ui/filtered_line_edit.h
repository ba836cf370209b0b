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
//
// A refused name character is not inserted and a note saying why appears beside the field
// (a tip that takes no keys), so the keys typed after it still reach the field; a refused
// coordinate key shows the filter's message.
class FilteredLineEdit : public QLineEdit {
  Q_OBJECT
 public:
  FilteredLineEdit(KeyFilter filter, QWidget* parent = nullptr);

  // The text as the filter passes it (names in capitals); nothing when it is refused.
  std::optional<QString> filtered(const QString& text) const;
  // The note of the last refused name text, empty before any.
  QString lastRefusal() const { return lastRefusal_; }

 signals:
  void refused(const QString& why);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void pasteChecked();
  void reject(const QString& text);

  KeyFilter filter_;
  QString lastRefusal_;
};

}  // namespace corvane

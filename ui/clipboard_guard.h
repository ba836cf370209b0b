#pragma once
#include <QObject>

class QPlainTextEdit;

namespace corvane {

// Empties the system clipboard whenever a guarded text box changes its text or the mouse
// moves, presses, releases or clicks over it. The interpretation texts are the maker's
// prose, and the guard keeps them from being pasted elsewhere.
class ClipboardGuard : public QObject {
  Q_OBJECT
 public:
  explicit ClipboardGuard(QObject* parent = nullptr);

  // Watches the box's viewport (with mouse tracking, so plain moves arrive) and its text.
  void guard(QPlainTextEdit* box);

  // Clears the clipboard; a missing clipboard or a failing platform call is ignored.
  static void EmptyClipboard();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace corvane

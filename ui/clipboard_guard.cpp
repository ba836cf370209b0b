#include "ui/clipboard_guard.h"

#include <QPlainTextEdit>

namespace corvane {

void GuardAgainstCopying(QPlainTextEdit* box) {
  // With no text interaction the box's text control ignores mouse and key events altogether,
  // the copy and select-all keys included; scrolling is the scroll area's and keeps working.
  box->setTextInteractionFlags(Qt::NoTextInteraction);
  box->setContextMenuPolicy(Qt::NoContextMenu);
}

}  // namespace corvane

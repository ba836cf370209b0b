#include "ui/filtered_line_edit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QToolTip>
#include <QValidator>

#include "ui/message_presenter.h"

namespace corvane {

namespace {

// The last line of defence behind the event handlers: whatever reaches the text must pass
// the filter as a whole, capitalised on the way.
class KeyFilterValidator : public QValidator {
 public:
  explicit KeyFilterValidator(const FilteredLineEdit* edit) : QValidator(const_cast<FilteredLineEdit*>(edit)), edit_(edit) {}

  State validate(QString& input, int&) const override {
    const auto passed = edit_->filtered(input);
    if (!passed) return Invalid;
    input = *passed;
    return Acceptable;
  }

 private:
  const FilteredLineEdit* edit_;
};

// Text the user typed, as opposed to editing keys and shortcuts.
bool IsTypedText(const QString& text) {
  return !text.isEmpty() && text.at(0).unicode() >= 32 && text.at(0).unicode() != 127;
}

}  // namespace

FilteredLineEdit::FilteredLineEdit(KeyFilter filter, QWidget* parent) : QLineEdit(parent), filter_(filter) {
  setValidator(new KeyFilterValidator(this));
}

std::optional<QString> FilteredLineEdit::filtered(const QString& text) const {
  if (filter_ == KeyFilter::Name) {
    const auto name = FilterName(text.toStdString());
    if (!name) return std::nullopt;
    return QString::fromStdString(*name);
  }
  for (const QChar c : text) {
    const auto passed = FilterKey(filter_, c.unicode());
    if (!passed || *passed == '\r' || *passed == '\b') return std::nullopt;
  }
  return text;
}

void FilteredLineEdit::reject(const QString& text) {
  if (filter_ == KeyFilter::Name) {
    // The first character the filter refuses names the reason.
    QString why = QString::fromUtf8(RejectedKeyMessage(filter_).text.data());
    for (int i = 0; i < text.size();) {
      const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
      const QString character = text.mid(i, length);
      if (!filtered(character)) {
        why = QString::fromStdString(RefusedNameCharacter(character.toStdString()));
        break;
      }
      i += length;
    }
    lastRefusal_ = why;
    QToolTip::showText(mapToGlobal(QPoint(0, height())), why, this);
    emit refused(why);
    return;
  }
  const InputMessage m = RejectedKeyMessage(filter_);
  ShowMessage(this, QString::fromUtf8(m.text.data(), static_cast<qsizetype>(m.text.size())), m.icon);
}

void FilteredLineEdit::pasteChecked() {
  const QString pasted = QGuiApplication::clipboard()->text();
  if (pasted.isEmpty() || isReadOnly()) return;
  const auto passed = filtered(pasted);
  if (!passed) {
    reject(pasted);
    return;
  }
  insert(*passed);
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    pasteChecked();
    return;
  }
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
  // Only typed characters are judged; navigation, Tab and shortcuts behave as usual.
  if (!shortcut && IsTypedText(event->text())) {
    const auto passed = filtered(event->text());
    if (!passed) {
      reject(event->text());
      return;
    }
    if (*passed != event->text()) {
      insert(*passed);
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void FilteredLineEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  const auto passed = commit.isEmpty() ? std::optional<QString>(commit) : filtered(commit);
  if (passed && *passed == commit) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  // The composition ends either way; only a passing text is written, in its filtered form.
  QInputMethodEvent replaced(event->preeditString(), event->attributes());
  replaced.setCommitString(passed.value_or(QString()), event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&replaced);
  if (!passed) reject(commit);
}

void FilteredLineEdit::dropEvent(QDropEvent* event) {
  const QMimeData* data = event->mimeData();
  if (data != nullptr && data->hasText() && !filtered(data->text())) {
    event->ignore();
    reject(data->text());
    return;
  }
  QLineEdit::dropEvent(event);
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The menu's Paste goes through the same check as Ctrl+V, so a refused text is reported.
  for (QAction* action : menu->actions()) {
    // Qt connects the item by name or by member pointer, depending on its version.
    if (disconnect(action, &QAction::triggered, this, &QLineEdit::paste) ||
        disconnect(action, SIGNAL(triggered()), this, SLOT(paste()))) {
      action->setObjectName("edit-paste");
      connect(action, &QAction::triggered, this, &FilteredLineEdit::pasteChecked);
    }
  }
  menu->popup(event->globalPos());
}

}  // namespace corvane

#include "ui/filtered_line_edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QValidator>

#include "ui/message_presenter.h"

namespace corvane {

namespace {

// Guards every way text can arrive besides typing (paste, drag and drop, context menu):
// the whole text must pass the key filter; names are turned into capitals on the way.
class KeyFilterValidator : public QValidator {
 public:
  KeyFilterValidator(KeyFilter filter, QObject* parent) : QValidator(parent), filter_(filter) {}

  State validate(QString& input, int&) const override {
    for (QChar& c : input) {
      const int code = c.unicode();
      const auto passed = code < 128 ? FilterKey(filter_, code) : std::nullopt;
      if (!passed || *passed == '\r' || *passed == '\b') return Invalid;
      c = QChar(*passed);
    }
    return Acceptable;
  }

 private:
  KeyFilter filter_;
};

}  // namespace

FilteredLineEdit::FilteredLineEdit(KeyFilter filter, QWidget* parent) : QLineEdit(parent), filter_(filter) {
  setValidator(new KeyFilterValidator(filter, this));
}

bool FilteredLineEdit::acceptsText(const QString& text) const {
  QString copy = text;
  int pos = 0;
  return validator()->validate(copy, pos) == QValidator::Acceptable;
}

void FilteredLineEdit::reject() {
  const InputMessage m = RejectedKeyMessage(filter_);
  ShowMessage(this, QString::fromUtf8(m.text.data(), static_cast<qsizetype>(m.text.size())), m.icon);
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    const QString pasted = QGuiApplication::clipboard()->text();
    if (!pasted.isEmpty() && !acceptsText(pasted)) {
      reject();
      return;
    }
    QLineEdit::keyPressEvent(event);
    return;
  }
  const QString text = event->text();
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
  // Only printable characters are judged; navigation, Tab and shortcuts behave as usual.
  if (!shortcut && !text.isEmpty() && text.at(0).unicode() >= 32 && text.at(0).unicode() != 127) {
    const int code = text.at(0).unicode();
    const auto passed = code < 128 ? FilterKey(filter_, code) : std::nullopt;
    if (!passed) {
      reject();
      return;
    }
    if (*passed != code) {
      insert(QString(QChar(*passed)));
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace corvane

#include "ui/message_presenter.h"

#include <QMessageBox>

namespace corvane {

namespace {
MessageSink& Sink() {
  static MessageSink sink;
  return sink;
}
QuestionAsker& Asker() {
  static QuestionAsker asker;
  return asker;
}
}  // namespace

void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon) {
  if (Sink()) {
    Sink()(parent, text, icon);
    return;
  }
  QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                  kApplicationTitle, text, QMessageBox::Ok, parent);
  box.setObjectName("messageBox");
  // Every message can be selected and copied, such as an address no browser could open.
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box.exec();
}

void SetMessageSinkForTesting(MessageSink sink) { Sink() = std::move(sink); }

bool AskQuestion(QWidget* parent, const QString& text) {
  if (Asker()) return Asker()(parent, text);
  QMessageBox box(QMessageBox::Question, kApplicationTitle, text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void SetQuestionAskerForTesting(QuestionAsker asker) { Asker() = std::move(asker); }

}  // namespace corvane

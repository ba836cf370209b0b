#include "ui/message_presenter.h"

#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

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
ChoiceAsker& Chooser() {
  static ChoiceAsker chooser;
  return chooser;
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

void ShowMessageWithAddress(QWidget* parent, const QString& text, const QString& address) {
  if (Sink()) {
    Sink()(parent, text + "\n\n" + address, MessageIcon::Information);
    return;
  }
  QDialog box(parent);
  box.setObjectName("addressBox");
  box.setWindowTitle(kApplicationTitle);
  auto* layout = new QVBoxLayout(&box);
  auto* label = new QLabel(text, &box);
  label->setObjectName("lblAddressMessage");
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  layout->addWidget(label);
  auto* field = new QLineEdit(address, &box);
  field->setObjectName("txtAddress");
  field->setReadOnly(true);
  field->setAccessibleName("Address");
  field->setAccessibleDescription("The address to open in a web browser");
  // Wide enough for the whole address where the screen allows.
  field->setMinimumWidth(std::min(field->fontMetrics().horizontalAdvance(address) + 24, 700));
  label->setBuddy(field);
  layout->addWidget(field);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
  QPushButton* copy = buttons->addButton("&Copy", QDialogButtonBox::ActionRole);
  copy->setObjectName("cmdCopyAddress");
  copy->setAccessibleDescription("Puts the address on the clipboard");
  QObject::connect(copy, &QPushButton::clicked, &box, [address, copy] {
    QGuiApplication::clipboard()->setText(address);
    copy->setText("Copied");
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  layout->addWidget(buttons);
  field->selectAll();
  field->setFocus(Qt::OtherFocusReason);
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

std::optional<int> AskChoice(QWidget* parent, const QString& text, const QStringList& answers) {
  if (Chooser()) return Chooser()(parent, text, answers);
  QMessageBox box(QMessageBox::Question, kApplicationTitle, text, QMessageBox::NoButton, parent);
  QList<QAbstractButton*> buttons;
  for (const QString& answer : answers) buttons.push_back(box.addButton(answer, QMessageBox::AcceptRole));
  box.setEscapeButton(box.addButton(QMessageBox::Cancel));
  if (!buttons.isEmpty()) box.setDefaultButton(qobject_cast<QPushButton*>(buttons.front()));
  box.exec();
  const qsizetype chosen = buttons.indexOf(box.clickedButton());
  if (chosen < 0) return std::nullopt;
  return static_cast<int>(chosen);
}

void SetChoiceAskerForTesting(ChoiceAsker asker) { Chooser() = std::move(asker); }

}  // namespace corvane

#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "app/birth_validation.h"
#include "corvane_version.h"

class QWidget;

namespace corvane {

// The title every message box of the program carries.
inline constexpr char kApplicationTitle[] = "Corvane";
// The caption of the main windows.
inline constexpr auto& kWindowCaption = kProgramCaption;

// Shows a modal message box with the application's title, the given icon and one OK button;
// its text can be selected and copied.
// Tests replace the sink to see what would have been shown without blocking.
void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon);
using MessageSink = std::function<void(QWidget* parent, const QString& text, MessageIcon icon)>;
void SetMessageSinkForTesting(MessageSink sink);

// A message that hands the user an address to open by hand: the text, the address in a
// read-only box (selected, so Ctrl+C copies it) and a Copy button that puts it on the
// clipboard. A test's message sink sees the text and the address on its last line.
void ShowMessageWithAddress(QWidget* parent, const QString& text, const QString& address);

// Asks a question with Yes and No (No is the default, as Escape gives); true for Yes.
// Tests replace the asker to answer without a dialog.
bool AskQuestion(QWidget* parent, const QString& text);
using QuestionAsker = std::function<bool(QWidget* parent, const QString& text)>;
void SetQuestionAskerForTesting(QuestionAsker asker);

// Asks the user to pick one of a few answers, each a button of its own, with Cancel as well;
// the position of the chosen answer, or nothing for Cancel. Tests replace the chooser.
std::optional<int> AskChoice(QWidget* parent, const QString& text, const QStringList& answers);
using ChoiceAsker = std::function<std::optional<int>(QWidget* parent, const QString& text, const QStringList& answers)>;
void SetChoiceAskerForTesting(ChoiceAsker asker);

}  // namespace corvane

#pragma once
#include <QString>
#include <functional>

#include "app/birth_validation.h"

class QWidget;

namespace corvane {

// The title every message box of the program carries.
inline constexpr char kApplicationTitle[] = "Corvane";
// The caption of the main windows.
inline constexpr char kWindowCaption[] = "Corvane v1.25";

// Shows a modal message box with the application's title, the given icon and one OK button;
// its text can be selected and copied.
// Tests replace the sink to see what would have been shown without blocking.
void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon);
using MessageSink = std::function<void(QWidget* parent, const QString& text, MessageIcon icon)>;
void SetMessageSinkForTesting(MessageSink sink);

}  // namespace corvane

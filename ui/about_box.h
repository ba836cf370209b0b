#pragma once

class QWidget;

namespace corvane {

// Shows the about box modally.
void ShowAboutBox(QWidget* parent);

}  // namespace corvane

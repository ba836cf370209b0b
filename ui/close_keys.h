#pragma once
#include <functional>

class QPushButton;
class QWidget;

namespace corvane {

// Esc and Ctrl+W close the window (or do `close` instead, for a window whose closing means
// something else, such as going back); the keys work wherever the focus is in the window.
void AddCloseKeys(QWidget* window, std::function<void()> close = {});

// A "Close" button (Alt+C) that closes the window, for windows other than the main one.
QPushButton* MakeCloseButton(QWidget* window);

}  // namespace corvane

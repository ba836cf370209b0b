#pragma once

class QPlainTextEdit;

namespace corvane {

// Keeps the text of a box from being copied out: the interpretation texts are the maker's
// prose. The box can still be read and scrolled (wheel, scroll bar, page keys), but its text
// cannot be selected, by mouse or by keys. Without a selection nothing reaches the clipboard
// or the X11 primary selection and no drag can start, so the copy keys (Ctrl+C, Ctrl+Insert)
// do nothing, even for a selection the program itself made; the box has no context menu.
// The clipboard itself is never touched: what the user copied elsewhere stays there.
void GuardAgainstCopying(QPlainTextEdit* box);

}  // namespace corvane

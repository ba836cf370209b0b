#pragma once

class QMainWindow;

namespace corvane {

// Adds the "&Help" menu shared by the input form and the frame window: the online help,
// the maker's site, the update check and the about box. The frame window separates the
// update check with lines above and below it.
void AddHelpMenu(QMainWindow* window, bool withSeparators);

}  // namespace corvane

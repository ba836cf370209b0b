#pragma once

class QAction;
class QMenu;

namespace corvane {

// Whether leaving the program with a calculated reading that was never saved asks first
// (kept with the settings; on unless the user turned it off).
bool AskBeforeLeavingUnsaved();
void SetAskBeforeLeavingUnsaved(bool ask);

// Adds the checkable "Ask Before Leaving an Unsaved Reading" to a menu, which keeps the choice.
QAction* AddAskBeforeLeavingAction(QMenu* menu);

}  // namespace corvane

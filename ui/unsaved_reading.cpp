#include "ui/unsaved_reading.h"

#include <QAction>
#include <QMenu>
#include <QSettings>

namespace corvane {

namespace {
constexpr char kAskKey[] = "windows/ask_before_leaving_unsaved";
QSettings Store() { return QSettings("Corvane", "Corvane"); }
}  // namespace

bool AskBeforeLeavingUnsaved() { return Store().value(kAskKey, true).toBool(); }

void SetAskBeforeLeavingUnsaved(bool ask) { Store().setValue(kAskKey, ask); }

QAction* AddAskBeforeLeavingAction(QMenu* menu) {
  QAction* action = menu->addAction(QStringLiteral("Ask Before Leaving an Unsaved Reading"));
  action->setObjectName("mnuAskBeforeLeaving");
  action->setCheckable(true);
  action->setChecked(AskBeforeLeavingUnsaved());
  QObject::connect(action, &QAction::toggled, action, [](bool ask) { SetAskBeforeLeavingUnsaved(ask); });
  return action;
}

}  // namespace corvane

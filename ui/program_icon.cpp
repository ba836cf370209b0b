#include "ui/program_icon.h"

// Q_INIT_RESOURCE has to stand outside any namespace.
static void RegisterUiResources() { Q_INIT_RESOURCE(resources); }

namespace corvane {

QIcon ProgramIcon() {
  static const bool registered = (RegisterUiResources(), true);
  (void)registered;
  return QIcon(":/icons/corvane.png");
}

}  // namespace corvane

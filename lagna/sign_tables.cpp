#include "lagna/sign_tables.h"

namespace corvane {

// Nothing to load: every sign table is a compile-time constant.
void LoadSignAttributes() {}

}  // namespace corvane

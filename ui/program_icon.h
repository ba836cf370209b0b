#pragma once
#include <QIcon>

namespace corvane {

// The program's icon, for window icons and the about box. Its image is compiled into the
// ui library, whose resources are registered here on first use: a static library's
// resources are not registered by themselves.
QIcon ProgramIcon();

}  // namespace corvane

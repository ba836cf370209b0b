#include "cli/exit_status.h"

namespace corvane {

std::string ExitStatusLines() {
  std::string text;
  for (const ExitStatus& status : kExitStatuses) {
    std::string code = std::to_string(status.code);
    code.insert(0, 5 - code.size(), ' ');
    text.append(code).append("  ").append(status.meaning).append("\n");
  }
  return text;
}

}  // namespace corvane

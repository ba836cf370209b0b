#include "cli/exit_status.h"

#include <sstream>

namespace corvane {

std::string ExitStatusLines() {
  constexpr std::size_t kIndent = 7, kWidth = 96;
  std::string text;
  for (const ExitStatus& status : kExitStatuses) {
    std::string line = std::to_string(status.code);
    line.insert(0, 5 - line.size(), ' ');
    line += "  ";
    // The meaning, wrapped at word ends; further lines stand under its first word.
    std::istringstream words{std::string(status.meaning)};
    bool first = true;
    for (std::string word; words >> word; first = false) {
      if (!first && line.size() + 1 + word.size() > kWidth) {
        text.append(line).append("\n");
        line.assign(kIndent, ' ');
        first = true;
      }
      if (!first) line += ' ';
      line += word;
    }
    text.append(line).append("\n");
  }
  return text;
}

}  // namespace corvane

#include "cli/command_line.h"

#include <algorithm>

namespace corvane {
namespace {

const OptionSpec* Find(std::span<const OptionSpec> table, std::string_view name) {
  for (const OptionSpec& option : table) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

// "--batch or --open": the command options an option may be given with.
std::string CommandsTaking(std::span<const OptionSpec> table, unsigned uses) {
  std::string names;
  for (const OptionSpec& option : table) {
    if (option.run == nullptr || option.uses == kEveryCommand || (option.uses & uses) == 0) continue;
    if (!names.empty()) names += " or ";
    names += option.name;
  }
  return names;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const OptionSpec> table, std::span<const char* const> arguments,
                             CommandHandler defaultCommand) {
  CommandLine line;
  const auto fail = [&line](std::string message) {
    line.error = std::move(message);
    return line;
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view given = arguments[i] == nullptr ? std::string_view() : arguments[i];
    const OptionSpec* option = Find(table, given);
    if (option == nullptr) return fail("unknown argument \"" + std::string(given) + "\"");
    std::string_view value;
    const bool optional = option->value.starts_with('[');
    if (optional) {
      // An optional value is the next argument unless that is an option or missing.
      if (i + 1 < arguments.size() && arguments[i + 1] != nullptr && !std::string_view(arguments[i + 1]).starts_with("--"))
        value = arguments[++i];
    } else if (!option->value.empty()) {
      if (i + 1 >= arguments.size() || arguments[i + 1] == nullptr) return fail(std::string(option->name) + " needs a value");
      value = arguments[++i];
    }
    if (!line.args.Add(option->name, value)) return fail(std::string(option->name) + " is given twice");
  }

  // The command is the first command option of the table that is given.
  unsigned group = kChartCommand;
  const OptionSpec* command = nullptr;
  for (const OptionSpec& option : table) {
    if (option.run != nullptr && line.args.Has(option.name)) {
      command = &option;
      // A command's own group is the first of its bits: --open may also come with
      // --collection-add, but when it is the command it takes only the options of --open.
      group = option.uses == kEveryCommand ? option.uses : option.uses & (~option.uses + 1);
      break;
    }
  }
  for (const auto& [name, value] : line.args.Given()) {
    const unsigned uses = Find(table, name)->uses;
    if ((uses & group) != 0 || (command != nullptr && name == command->name)) continue;
    if (command != nullptr) return fail(std::string(name) + " cannot be combined with " + std::string(command->name));
    return fail(std::string(name) + " goes only with " + CommandsTaking(table, uses));
  }
  line.run = command != nullptr ? command->run : defaultCommand;
  return line;
}

std::string OptionListText(std::span<const OptionSpec> table) {
  std::size_t width = 0;
  for (const OptionSpec& option : table) width = std::max(width, option.name.size() + 1 + option.value.size());
  std::string text;
  for (const OptionSpec& option : table) {
    std::string head(option.name);
    if (!option.value.empty()) head.append(" ").append(option.value);
    head.resize(width + 2, ' ');
    text.append("  ").append(head).append(option.help).append("\n");
  }
  return text;
}

}  // namespace corvane

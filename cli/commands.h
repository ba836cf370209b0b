#pragma once
#include <span>

#include "cli/command_line.h"
#include "cli/exit_status.h"

namespace corvane {

// Every option of corvane-cli, in the order --help lists them.
std::span<const OptionSpec> CliOptions();

// The whole program: reads the command line, runs the command, returns the exit status.
int RunCli(int argc, const char* const* argv);

}  // namespace corvane

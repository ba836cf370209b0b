#pragma once
#include <span>

#include "cli/command_line.h"

namespace corvane {

// Exit statuses (64 and up follow sysexits.h).
inline constexpr int kExitOk = 0;
inline constexpr int kExitRejected = 2;  // the input form would refuse the data
inline constexpr int kExitPolar = 3;     // no sunrise or sunset around the birth date
inline constexpr int kExitUsage = 64;
inline constexpr int kExitNotAChart = 65;  // the file to open is not a chart file
inline constexpr int kExitNoInput = 66;  // a chart file or batch file cannot be read
inline constexpr int kExitUnavailable = 69;  // the Swiss Ephemeris data files are missing
inline constexpr int kExitCantCreate = 73;
inline constexpr int kExitIoError = 74;  // standard output could not be written

// Every option of corvane-cli, in the order --help lists them.
std::span<const OptionSpec> CliOptions();

// The whole program: reads the command line, runs the command, returns the exit status.
int RunCli(int argc, const char* const* argv);

}  // namespace corvane

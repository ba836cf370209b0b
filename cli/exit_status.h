#pragma once
#include <span>
#include <string>
#include <string_view>

namespace corvane {

// The exit statuses of corvane-cli, each with one meaning. 64 and up follow sysexits.h;
// 130 and 143 are the shells' 128 + signal number. --help, the README, the manual page and
// docs/json.md list this table (the document tests compare them with it).
inline constexpr int kExitOk = 0;
inline constexpr int kExitRejected = 2;        // the input form would refuse the data; a refused batch record
inline constexpr int kExitPolar = 3;           // no sunrise or sunset around the birth date
inline constexpr int kExitUsage = 64;          // EX_USAGE
inline constexpr int kExitNotAChart = 65;      // EX_DATAERR: the file to open is not a chart file
inline constexpr int kExitNoInput = 66;        // EX_NOINPUT: an input file cannot be read
inline constexpr int kExitUnavailable = 69;    // EX_UNAVAILABLE: the Swiss Ephemeris data files are missing
inline constexpr int kExitNoReportModule = 72; // EX_OSFILE: the installed report module cannot be loaded
inline constexpr int kExitCantCreate = 73;     // EX_CANTCREAT: a file asked for could not be written
inline constexpr int kExitIoError = 74;        // EX_IOERR: standard output could not be written
inline constexpr int kExitBusy = 75;           // EX_TEMPFAIL: the chart collection stayed locked by another program
inline constexpr int kExitInterrupted = 130;   // stopped by SIGINT
inline constexpr int kExitTerminated = 143;    // stopped by SIGTERM

struct ExitStatus {
  int code;
  std::string_view meaning;  // one sentence, without a final full stop
};

// Every exit status, in increasing order.
inline constexpr ExitStatus kExitStatuses[] = {
    {kExitOk, "done"},
    {kExitRejected,
     "input refused, as the input form would refuse it (with --batch: some record was refused; with "
     "--collection-import: some file was not imported; with --collection-remove: no chart has the id), or a "
     "--retrogrades year outside the station tables; the message is on standard error"},
    {kExitPolar, "no sunrise or sunset on a date around the birth (polar day or night)"},
    {kExitUsage,
     "usage error: an unknown option, a missing value, a value in the wrong shape, options that do not go together, "
     "or a batch without its header"},
    {kExitNotAChart,
     "the file given to --open is not a chart file, or the collection file is not a chart collection (empty, "
     "damaged, another program's database, or of a newer version; it is left as it is)"},
    {kExitNoInput, "an input file (chart file, batch, place file, chart collection, folder to import) cannot be read"},
    {kExitUnavailable, "the Swiss Ephemeris data files are missing"},
    {kExitNoReportModule, "the report module (corvane-report.so) that draws PDF, SVG and PNG files cannot be loaded"},
    {kExitCantCreate,
     "a file asked for (chart file, PDF, SVG, PNG, export) or a change to the chart collection could not be written, "
     "or its name holds a FIFO, socket or device; "
     "an old file is kept"},
    {kExitIoError, "standard output could not be written"},
    {kExitBusy, "the chart collection stayed locked by another program beyond the waits; try again"},
    {kExitInterrupted, "interrupted by SIGINT (Ctrl+C)"},
    {kExitTerminated, "interrupted by SIGTERM"},
};

// "  2  input refused, ..." lines, one per status, for --help.
std::string ExitStatusLines();

}  // namespace corvane

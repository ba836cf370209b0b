#pragma once
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/chart.h"
#include "report/report_options.h"

namespace corvane {

// The printed reading and the chart pictures asked for on the command line:
//   --pdf FILE, --svg FILE, --png FILE [--size PIXELS], --paper a4|letter, and with --batch
//   --pdf-dir DIR (one PDF per chart, named after the name and the birth date).
// They are drawn by the report module, which is loaded (with Qt) only when one is asked for.
//   --sweep-svg FILE, --sweep-png FILE: the birth-time sweep's timeline alone (options.sweep,
//   which the caller computed with the chart: over the window --sweep gives, or the usual one).
struct ReportRequest {
  std::optional<std::string> pdf, svg, png, pdfDir, sweepSvg, sweepPng;
  int pngSize = 800;
  ReportOptions options;

  bool wantsFiles() const { return pdf || svg || png || sweepSvg || sweepPng; }
};

// The report options among the option values; `batch` says whether --batch is given.
// Returns the message of a usage error (a bad value, --size without --png, --pdf-dir
// without --batch, a single-chart option with --batch).
std::optional<std::string> ReadReportRequest(const std::map<std::string_view, std::string_view>& values, bool batch,
                                             ReportRequest& request);

// The options this handler reads, for the option parser.
inline constexpr std::string_view kReportValueOptions[] = {"--pdf",   "--svg",     "--png",      "--size",
                                                           "--paper", "--pdf-dir", "--sweep-svg", "--sweep-png"};

// Draws and saves the files the request names for one chart. Each file is written whole or
// not at all. Returns the exit status: 0, 73 when a file could not be written, 72 when the
// report module cannot be loaded; the message goes to `err`.
int WriteReportFiles(const Chart& chart, const ReportRequest& request, std::FILE* err);

// For --batch --pdf-dir: checks that the folder takes files (73 and a message when not).
int CheckReportFolder(const ReportRequest& request, std::FILE* err);

// Writes one chart's PDF into the request's folder under a new name and prints its path
// on `out`. Returns the exit status as WriteReportFiles does.
int WriteBatchReport(const Chart& chart, const ReportRequest& request, std::FILE* out, std::FILE* err);

// Ends the drawing toolkit if a report started it; call before the program returns.
void FinishReports();

}  // namespace corvane

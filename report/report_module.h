#pragma once
#include <string>

#include "app/birth_sweep.h"
#include "app/chart.h"
#include "report/report_options.h"

// The report drawing as a module that a program without Qt loads only when it draws: the
// command line stays quick to start for its text and JSON output. Built from the same
// sources in the same build as its loader, so the two share these types.
namespace corvane {

struct ReportModule {
  int version;
  // Each draws one chart into `bytes` and returns true, or returns false with `error`.
  bool (*pdf)(const Chart& chart, const ReportOptions& options, std::string& bytes, std::string& error);
  // The pictures draw the varga the options name.
  bool (*svg)(const Chart& chart, const ReportOptions& options, std::string& bytes, std::string& error);
  bool (*png)(const Chart& chart, const ReportOptions& options, int pixels, std::string& bytes, std::string& error);
  // The birth-time sweep's timeline alone, titled with the name.
  bool (*sweepSvg)(const BirthSweep& sweep, const std::string& name, std::string& bytes, std::string& error);
  bool (*sweepPng)(const BirthSweep& sweep, const std::string& name, std::string& bytes, std::string& error);
  // Ends the drawing toolkit that the first drawing started; called once, before exit.
  void (*finish)();
};

inline constexpr int kReportModuleVersion = 3;
inline constexpr char kReportModuleEntry[] = "corvane_report_module";
using ReportModuleEntry = const ReportModule* (*)();

}  // namespace corvane

// The entry point of the report module (see report_module.h).
#include "report/report_module.h"

#include <QByteArray>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "app/chart_calculation.h"
#include "report/chart_picture.h"
#include "report/report_writer.h"
#include "report/sweep_picture.h"

namespace corvane {
namespace {

// The toolkit runs on the off-screen platform whatever QT_QPA_PLATFORM says: nothing is
// shown, and no display is needed. Its own notices (a missing runtime folder and the like)
// would only clutter the command line's error output.
char kProgram[] = "corvane-cli";
char kPlatformOption[] = "-platform";
char kOffscreen[] = "offscreen";
char* gArguments[] = {kProgram, kPlatformOption, kOffscreen, nullptr};
int gArgumentCount = 3;
std::unique_ptr<QGuiApplication> gApplication;

void QuietNotices(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(message));
}

void StartToolkit() {
  if (QCoreApplication::instance() != nullptr) return;
  qInstallMessageHandler(QuietNotices);
  gApplication = std::make_unique<QGuiApplication>(gArgumentCount, gArguments);
}

bool Deliver(const QByteArray& drawn, const char* what, std::string& bytes, std::string& error) {
  if (drawn.isEmpty()) {
    error = std::string("the ") + what + " could not be drawn";
    return false;
  }
  bytes.assign(drawn.constData(), static_cast<std::size_t>(drawn.size()));
  return true;
}

bool Pdf(const Chart& chart, const ReportOptions& options, std::string& bytes, std::string& error) {
  StartToolkit();
  return Deliver(ReportPdfBytes(chart, PageFieldsOf(chart), options), "PDF", bytes, error);
}

bool Svg(const Chart& chart, const ReportOptions& options, std::string& bytes, std::string& error) {
  StartToolkit();
  return Deliver(ChartSvgBytes(chart, 800, {options.vargas, options.varga}), "SVG picture", bytes, error);
}

bool Png(const Chart& chart, const ReportOptions& options, int pixels, std::string& bytes, std::string& error) {
  StartToolkit();
  return Deliver(ChartPngBytes(chart, pixels, {options.vargas, options.varga}), "PNG picture", bytes, error);
}

bool SweepSvg(const BirthSweep& sweep, const std::string& name, std::string& bytes, std::string& error) {
  StartToolkit();
  return Deliver(SweepSvgBytes(sweep, name), "sweep SVG picture", bytes, error);
}

bool SweepPng(const BirthSweep& sweep, const std::string& name, std::string& bytes, std::string& error) {
  StartToolkit();
  return Deliver(SweepPngBytes(sweep, name), "sweep PNG picture", bytes, error);
}

void Finish() { gApplication.reset(); }

constexpr ReportModule kModule = {kReportModuleVersion, Pdf, Svg, Png, SweepSvg, SweepPng, Finish};

}  // namespace
}  // namespace corvane

extern "C" __attribute__((visibility("default"))) const corvane::ReportModule* corvane_report_module() {
  return &corvane::kModule;
}

#include "cli/report_output.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>

#include "app/atomic_file.h"
#include "app/export_names.h"
#include "cli/exit_status.h"
#include "report/report_module.h"

namespace corvane {
namespace {

// The loaded module, or why it could not be loaded; loading is tried once.
const ReportModule* gModule = nullptr;
std::string gFailure;

// The module stands beside the program in the build folder and in the library folder of an
// installation.
const ReportModule* LoadModule(std::string& error) {
  if (gModule != nullptr || !gFailure.empty()) {
    error = gFailure;
    return gModule;
  }
  std::error_code ignored;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
  std::string tried;
  for (const std::filesystem::path& path :
       {self / CORVANE_REPORT_MODULE_FILE, self / CORVANE_REPORT_MODULE_FROM_BIN / CORVANE_REPORT_MODULE_FILE}) {
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      tried += std::string("\n  ") + ::dlerror();
      continue;
    }
    const auto entry = reinterpret_cast<ReportModuleEntry>(::dlsym(handle, kReportModuleEntry));
    const ReportModule* loaded = entry != nullptr ? entry() : nullptr;
    if (loaded != nullptr && loaded->version == kReportModuleVersion) return gModule = loaded;
    tried += "\n  " + path.string() + ": not a report module of this version";
  }
  gFailure = "the report module cannot be loaded:" + tried;
  error = gFailure;
  return nullptr;
}

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (problem != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

int Unavailable(const std::string& error, std::FILE* err) {
  std::fprintf(err, "corvane-cli: %s\n", error.c_str());
  return kExitNoReportModule;
}

// Draws one kind of file and saves it; the exit status.
template <typename Draw>
int DrawAndSave(const std::string& path, Draw draw, std::FILE* err) {
  std::string error;
  const ReportModule* module = LoadModule(error);
  if (module == nullptr) return Unavailable(error, err);
  std::string bytes;
  if (!draw(*module, bytes, error)) {
    std::fprintf(err, "corvane-cli: %s: %s\n", path.c_str(), error.c_str());
    return kExitCantCreate;
  }
  if (const auto failure = WriteFileAtomically(path, bytes)) {
    std::fprintf(err, "corvane-cli: %s could not be written: %s\n", path.c_str(), failure->describe().c_str());
    return kExitCantCreate;
  }
  return 0;
}

int SavePdf(const Chart& chart, const ReportRequest& request, const std::string& path, std::FILE* err) {
  return DrawAndSave(
      path,
      [&](const ReportModule& m, std::string& bytes, std::string& error) {
        return m.pdf(chart, request.options, bytes, error);
      },
      err);
}

}  // namespace

std::optional<std::string> ReadReportRequest(const std::map<std::string_view, std::string_view>& values, bool batch,
                                             ReportRequest& request) {
  auto value = [&](std::string_view option) -> std::optional<std::string> {
    const auto found = values.find(option);
    if (found == values.end()) return std::nullopt;
    return std::string(found->second);
  };
  request.pdf = value("--pdf");
  request.svg = value("--svg");
  request.png = value("--png");
  request.pdfDir = value("--pdf-dir");
  request.sweepSvg = value("--sweep-svg");
  request.sweepPng = value("--sweep-png");
  for (const auto* path : {&request.pdf, &request.svg, &request.png, &request.pdfDir, &request.sweepSvg, &request.sweepPng})
    if (*path && (*path)->empty()) return "a file or folder name must not be empty";
  if (const auto size = value("--size")) {
    if (!request.png) return "--size needs --png";
    const auto pixels = Number(*size);
    if (!pixels || *pixels < kSmallestPictureSize || *pixels > kLargestPictureSize)
      return "--size needs a number of pixels from " + std::to_string(kSmallestPictureSize) + " to " +
             std::to_string(kLargestPictureSize) + ", not \"" + *size + "\"";
    request.pngSize = *pixels;
  }
  if (const auto paper = value("--paper")) {
    if (*paper == "a4" || *paper == "A4") {
      request.options.paper = PaperSize::kA4;
    } else if (*paper == "letter" || *paper == "Letter") {
      request.options.paper = PaperSize::kLetter;
    } else {
      return "--paper takes a4 or letter, not \"" + *paper + "\"";
    }
    if (!request.wantsFiles() && !request.pdfDir) return "--paper needs --pdf or --pdf-dir";
  }
  if (batch && request.wantsFiles()) return "--batch takes --pdf-dir, not --pdf, --svg, --png, --sweep-svg or --sweep-png";
  if (!batch && request.pdfDir) return "--pdf-dir needs --batch";
  return std::nullopt;
}

int WriteReportFiles(const Chart& chart, const ReportRequest& request, std::FILE* err) {
  int status = 0;
  if (request.pdf) status = SavePdf(chart, request, *request.pdf, err);
  if (status == 0 && request.svg)
    status = DrawAndSave(
        *request.svg, [&](const ReportModule& m, std::string& bytes, std::string& error) {
          return m.svg(chart, request.options, bytes, error);
        },
        err);
  if (status == 0 && request.png)
    status = DrawAndSave(
        *request.png, [&](const ReportModule& m, std::string& bytes, std::string& error) {
          return m.png(chart, request.options, request.pngSize, bytes, error);
        },
        err);
  if (status == 0 && (request.sweepSvg || request.sweepPng)) {
    // The caller hands the sweep it computed with the chart; without one no picture is drawn.
    if (request.options.sweep == nullptr) {
      std::fprintf(err, "corvane-cli: no birth-time sweep was computed for the sweep picture\n");
      return kExitCantCreate;
    }
    const BirthSweep& sweep = *request.options.sweep;
    if (request.sweepSvg)
      status = DrawAndSave(
          *request.sweepSvg, [&](const ReportModule& m, std::string& bytes, std::string& error) {
            return m.sweepSvg(sweep, chart.birth.name, bytes, error);
          },
          err);
    if (status == 0 && request.sweepPng)
      status = DrawAndSave(
          *request.sweepPng, [&](const ReportModule& m, std::string& bytes, std::string& error) {
            return m.sweepPng(sweep, chart.birth.name, bytes, error);
          },
          err);
  }
  return status;
}

int CheckReportFolder(const ReportRequest& request, std::FILE* err) {
  if (!request.pdfDir) return 0;
  std::error_code error;
  const char* why = nullptr;
  // A missing last folder is made (readings/ in an existing folder); a missing parent is not.
  if (!std::filesystem::exists(*request.pdfDir, error) && ::mkdir(request.pdfDir->c_str(), 0777) != 0) {
    why = errno == ENOENT ? "there is no such folder, nor the folder it would be made in" : std::strerror(errno);
  } else if (!std::filesystem::is_directory(*request.pdfDir, error)) {
    why = "it is not a folder";
  } else if (::access(request.pdfDir->c_str(), W_OK | X_OK) != 0) {
    why = std::strerror(errno);
  }
  if (why == nullptr) return 0;
  std::fprintf(err, "corvane-cli: the PDF files cannot be written into %s: %s\n", request.pdfDir->c_str(), why);
  return kExitCantCreate;
}

int WriteBatchReport(const Chart& chart, const ReportRequest& request, std::FILE* out, std::FILE* err) {
  std::string error;
  const ReportModule* module = LoadModule(error);
  if (module == nullptr) return Unavailable(error, err);
  std::string bytes;
  const std::string stem = ExportFileStem(chart);
  if (!module->pdf(chart, request.options, bytes, error)) {
    std::fprintf(err, "corvane-cli: %s.pdf: %s\n", stem.c_str(), error.c_str());
    return kExitCantCreate;
  }
  // Made under a name no file has, even with another run writing into the same folder.
  const auto written = WriteNewFile(*request.pdfDir, stem, ".pdf", bytes);
  if (const auto* failure = std::get_if<AtomicWriteFailure>(&written)) {
    std::fprintf(err, "corvane-cli: %s.pdf could not be written into %s: %s\n", stem.c_str(), request.pdfDir->c_str(),
                 failure->describe().c_str());
    return kExitCantCreate;
  }
  std::fprintf(out, "%s\n", std::get<std::string>(written).c_str());
  return 0;
}

void FinishReports() {
  if (gModule != nullptr) gModule->finish();
}

}  // namespace corvane

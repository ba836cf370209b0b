#include "app/collection_import.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/chart_file.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// Thrown inside the import's transaction to undo it when the progress cancels.
struct ImportCancelled {};

std::vector<std::string> FilesUnder(const std::string& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error))
    throw CollectionError(CollectionError::Kind::kCannotOpen, "\"" + folder + "\" is not a folder that can be read.");
  std::vector<std::string> files;
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    std::error_code kindError;
    if (it->is_regular_file(kindError) && !it->is_symlink(kindError)) files.push_back(it->path().string());
  }
  if (error)
    throw CollectionError(CollectionError::Kind::kCannotOpen,
                          "The folder \"" + folder + "\" cannot be read: " + error.message() + ".");
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

ImportSummary ImportChartFolder(ChartCollection& collection, const std::string& folder, const ImportProgress& progress) {
  const std::vector<std::string> files = FilesUnder(folder);
  ImportSummary summary;
  try {
    collection.inTransaction([&] {
      for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& path = files[i];
        if (!HasChartFileExtension(path)) {
          summary.refused.push_back({path, "the name does not end in .zdh"});
        } else {
          std::string why;
          const auto bytes = ReadChartFile(path, why);
          const ParsedChartFile parsed = bytes ? ParseChartFile(*bytes) : ParsedChartFile{};
          if (!bytes) {
            summary.refused.push_back({path, why});
          } else if (!parsed.ok()) {
            const ChartFileRefusal& refusal = parsed.refusal();
            summary.refused.push_back(
                {path, (refusal.line > 0 ? "line " + std::to_string(refusal.line) + ": " : std::string()) + refusal.reason});
          } else {
            try {
              const AddedChart added = collection.add(parsed.birth());
              ++(added.added ? summary.added : summary.duplicates);
            } catch (const CollectionError& e) {
              if (e.kind() != CollectionError::Kind::kRefused) throw;
              summary.refused.push_back({path, e.what()});
            }
          }
        }
        if (progress && !progress(i + 1, files.size())) throw ImportCancelled{};
      }
    });
  } catch (const ImportCancelled&) {
    ImportSummary cancelled;
    cancelled.cancelled = true;
    return cancelled;
  }
  return summary;
}

}  // namespace corvane

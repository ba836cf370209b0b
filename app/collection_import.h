#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/chart_collection.h"

namespace corvane {

// A file of an imported folder that did not become a chart, and why.
struct ImportRefusal {
  std::string path;
  std::string reason;  // "the name does not end in .zdh", "line 3: the day cannot be read", ...
};

struct ImportSummary {
  std::size_t added = 0;       // new charts in the collection
  std::size_t duplicates = 0;  // chart files of a birth and clock the collection already held
  std::vector<ImportRefusal> refused;
  bool cancelled = false;  // the progress asked to stop: nothing was added
};

// Told after each file how many of how many are done; returns false to cancel.
using ImportProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Imports every chart file (*.zdh) under the folder, its subfolders included (links to
// folders are not followed), in the order of their paths. The whole import is one
// transaction: a cancel, an error or a crash leaves the collection as it was before it.
// Files that are not chart files are listed with the reason. A folder that cannot be read
// throws CollectionError (kCannotOpen), as does a failing collection.
ImportSummary ImportChartFolder(ChartCollection& collection, const std::string& folder,
                                const ImportProgress& progress = {});

}  // namespace corvane

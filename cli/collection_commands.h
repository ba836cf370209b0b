#pragma once
#include <memory>
#include <optional>

#include "app/chart_collection.h"
#include "cli/command_line.h"

namespace corvane {

// The collection the options name (--collection PATH, or the default path), or nothing
// with `status` set once the reason is on standard error.
std::unique_ptr<ChartCollection> OpenCollectionOf(const Arguments& args, int& status);

// Reports a collection failure on standard error; returns its exit status.
int CollectionFailure(const CollectionError& error);

// Adds a birth to the collection of the options (--note, --tags) and says which id it has.
int AddToCollection(const Arguments& args, const BirthData& birth);

// --collection-list [TEXT], --collection-import DIR, --collection-export DIR|FILE.csv,
// --collection-remove ID.
int RunCollectionList(const Arguments& args);
int RunCollectionImport(const Arguments& args);
int RunCollectionExport(const Arguments& args);
int RunCollectionRemove(const Arguments& args);

}  // namespace corvane

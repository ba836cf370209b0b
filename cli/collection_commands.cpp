#include "cli/collection_commands.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <ctime>
#include <functional>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "app/collection_export.h"
#include "app/collection_filter.h"
#include "app/collection_import.h"
#include "cli/exit_status.h"
#include "cli/stop_signals.h"
#include "lagna/sign_tables.h"

namespace corvane {
namespace {

int Say(std::string_view message, int status) {
  std::cerr << "corvane-cli: " << message << "\n";
  return status;
}

int Print(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
    return Say("cannot write the output", kExitIoError);
  return kExitOk;
}

// "2026-12-08T09:15:00Z"
std::string UtcText(std::int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm {};
  ::gmtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return text;
}

std::string_view SignAbbreviation(int sign) {
  return sign < 0 ? std::string_view("-") : kSignAttributes[static_cast<std::size_t>(sign)].Abbreviation;
}

// The characters a terminal shows for a UTF-8 text (one per code point).
std::size_t ShownWidth(std::string_view text) {
  std::size_t width = 0;
  for (const char c : text) width += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return width;
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : ", ") + part;
  return out;
}

// The columns of the table: id, name, birth, place, the thirteen lagna entries, tags, opened.
std::string ChartTable(const std::vector<CollectionChart>& charts) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> head = {"ID", "NAME", "BIRTH", "PLACE"};
  for (int i = 0; i < kLagnaCount; ++i) head.emplace_back(kCollectionEntries[static_cast<std::size_t>(i)].key);
  head.insert(head.end(), {"TAGS", "OPENED"});
  rows.push_back(head);
  for (const CollectionChart& c : charts) {
    std::vector<std::string> row = {std::to_string(c.id), c.name, c.birth, c.place};
    for (int i = 0; i < kLagnaCount; ++i) row.emplace_back(SignAbbreviation(c.signs[static_cast<std::size_t>(i)]));
    row.insert(row.end(), {Joined(c.tags), c.opened ? UtcText(*c.opened) : "-"});
    rows.push_back(std::move(row));
  }
  std::vector<std::size_t> widths(head.size(), 0);
  for (const auto& row : rows)
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], ShownWidth(row[i]));
  std::string text;
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line += std::string(widths[i] - ShownWidth(row[i]) + 2, ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    text += line + "\n";
  }
  return text;
}

// One JSON line per chart (docs/json.md, "Collection listing").
std::string ChartJsonLines(const std::vector<CollectionChart>& charts) {
  std::string text;
  for (const CollectionChart& c : charts) {
    nlohmann::ordered_json line;
    line["id"] = c.id;
    line["name"] = c.name;
    line["birth"] = c.birth;
    line["place"] = c.place;
    line["note"] = c.note;
    line["tags"] = c.tags;
    line["added"] = UtcText(c.added);
    line["opened"] = c.opened ? nlohmann::ordered_json(UtcText(*c.opened)) : nlohmann::ordered_json(nullptr);
    nlohmann::ordered_json signs = nlohmann::ordered_json::object();
    for (int i = 0; i < kCollectionEntryCount; ++i) {
      const int sign = c.signs[static_cast<std::size_t>(i)];
      signs[std::string(kCollectionEntries[static_cast<std::size_t>(i)].key)] =
          sign < 0 ? nlohmann::ordered_json(nullptr)
                   : nlohmann::ordered_json(kSignAttributes[static_cast<std::size_t>(sign)].EnglishName);
    }
    line["signs"] = std::move(signs);
    text += line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  }
  return text;
}

std::vector<std::int64_t> AllIds(ChartCollection& collection) {
  std::vector<std::int64_t> ids;
  for (const CollectionChart& c : collection.find({}, {CollectionOrder::Key::kId}, 0, -1)) ids.push_back(c.id);
  return ids;
}

std::optional<std::int64_t> IdOf(std::string_view text) {
  std::int64_t id = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (ec != std::errc() || end != text.data() + text.size() || id < 1) return std::nullopt;
  return id;
}

}  // namespace

int CollectionFailure(const CollectionError& error) {
  std::cerr << "corvane-cli: " << error.what() << "\n";
  switch (error.kind()) {
    case CollectionError::Kind::kCannotOpen: return kExitNoInput;
    case CollectionError::Kind::kNotACollection:
    case CollectionError::Kind::kNewer: return kExitNotAChart;
    case CollectionError::Kind::kBusy: return kExitBusy;
    case CollectionError::Kind::kRefused: return kExitRejected;
    case CollectionError::Kind::kFailed: return kExitCantCreate;
  }
  return kExitCantCreate;
}

std::unique_ptr<ChartCollection> OpenCollectionOf(const Arguments& args, int& status) {
  const std::string path = args.Has("--collection") ? std::string(args.Value("--collection")) : DefaultCollectionPath();
  try {
    return ChartCollection::Open(path);
  } catch (const CollectionError& e) {
    status = CollectionFailure(e);
    return nullptr;
  }
}

// Runs `work` on the collection the options name: its exit status, or that of the failure
// that stopped it (reported on standard error).
int WithCollection(const Arguments& args, const std::function<int(ChartCollection&)>& work) {
  int status = kExitOk;
  const auto collection = OpenCollectionOf(args, status);
  if (!collection) return status;
  try {
    return work(*collection);
  } catch (const CollectionError& e) {
    return CollectionFailure(e);
  }
}

int AddToCollection(const Arguments& args, const BirthData& birth) {
  return WithCollection(args, [&](ChartCollection& collection) {
    const AddedChart added = collection.add(birth, args.Value("--note"), TagsOfText(args.Value("--tags")));
    if (!added.added)
      std::cerr << "corvane-cli: the collection holds this birth already, as chart " << added.id << "\n";
    return Print(std::to_string(added.id) + "\n");
  });
}

int RunCollectionList(const Arguments& args) {
  return WithCollection(args, [&](ChartCollection& collection) {
    const std::vector<CollectionChart> charts = collection.find(ParseCollectionFilter(args.Value("--collection-list")));
    return Print(args.Has("--json") ? ChartJsonLines(charts) : ChartTable(charts));
  });
}

int RunCollectionRemove(const Arguments& args) {
  const std::string_view text = args.Value("--collection-remove");
  const auto id = IdOf(text);
  if (!id)
    return Say("--collection-remove needs the id of a chart (a whole number from 1), not \"" + std::string(text) +
                   "\"\nRun corvane-cli --help for the usage.",
               kExitUsage);
  return WithCollection(args, [&](ChartCollection& collection) {
    if (!collection.remove(*id)) return Say("the collection has no chart " + std::to_string(*id), kExitRejected);
    return kExitOk;
  });
}

int RunCollectionExport(const Arguments& args) {
  const std::string target(args.Value("--collection-export"));
  return WithCollection(args, [&](ChartCollection& collection) {
    const std::vector<std::int64_t> ids = AllIds(collection);
    const bool csv = target.size() > 4 && target.compare(target.size() - 4, 4, ".csv") == 0;
    const ExportResult result = csv ? ExportBatchCsv(collection, ids, target) : ExportChartFiles(collection, ids, target);
    if (result.failure) return Say(*result.failure, kExitCantCreate);
    if (!csv) std::cerr << "corvane-cli: " << result.written.size() << " chart files written to " << target << "\n";
    return kExitOk;
  });
}

int RunCollectionImport(const Arguments& args) {
  const std::string folder(args.Value("--collection-import"));
  const bool terminal = ::isatty(STDERR_FILENO) == 1;
  const StopSignals signals;
  return WithCollection(args, [&](ChartCollection& collection) {
    ImportSummary summary;
    try {
      summary = ImportChartFolder(collection, folder, [terminal](std::size_t done, std::size_t total) {
        if (terminal && (done % 50 == 0 || done == total))
          std::fprintf(stderr, "\rImporting chart files: %zu of %zu", done, total);
        return StopSignals::Received() == 0;
      });
    } catch (const CollectionError&) {
      if (terminal) std::fputc('\n', stderr);
      throw;
    }
    if (terminal) std::fputc('\n', stderr);
    if (summary.cancelled) {
      std::cerr << "corvane-cli: import cancelled; nothing of it was added to the collection\n";
      return StopSignals::Received() == SIGTERM ? kExitTerminated : kExitInterrupted;
    }
    std::string text = "Imported " + std::to_string(summary.added) + " charts; " + std::to_string(summary.duplicates) +
                       " duplicates skipped; " + std::to_string(summary.refused.size()) + " files not imported.\n";
    for (const ImportRefusal& refusal : summary.refused) text += "  " + refusal.path + ": " + refusal.reason + "\n";
    if (const int printed = Print(text); printed != kExitOk) return printed;
    return summary.refused.empty() ? kExitOk : kExitRejected;
  });
}

}  // namespace corvane

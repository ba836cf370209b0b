#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/birth_data.h"
#include "app/chart.h"
#include "app/collection_filter.h"

struct sqlite3;

namespace corvane {

// The chart collection: every chart a user keeps, in one SQLite database file.
//
// Each chart is kept as its request, the bytes of the chart file it would be saved as
// (EncodeChartFile), so that it is written back as a chart file byte for byte and opens to
// the same chart. Beside it: the name, birth date and time and place as the list shows them,
// a note, tags, when it was added and last opened, and the sign of every lagna entry and
// body under the default settings, for searching by sign.
//
// The file's layout has a version (PRAGMA user_version); opening an older file migrates it
// in one transaction, a newer one is refused (version 2 added the trigram index of the search
// texts, which finds a typed text without reading every chart). The signs carry the version of the reading that
// computed them (kCollectionReadingVersion): when the program's reading of the default
// settings changes, that number goes up and opening the collection recomputes the signs of
// every chart of an older reading, in one transaction.
//
// The journal is SQLite's write-ahead log, so a crash or a killed process leaves every
// committed change and nothing of an unfinished one; every change is one transaction, and
// a write waits for another process's write (busy timeout, then retries) instead of failing.
inline constexpr int kCollectionSchemaVersion = 2;
inline constexpr int kCollectionReadingVersion = 1;
// The database's application id ("CRVN"), which tells our files from other SQLite files.
inline constexpr std::int32_t kCollectionApplicationId = 0x4352564E;

// Anything that keeps the collection from being used: the message names the file and says
// what to do. Nothing in the file has changed when it is thrown.
class CollectionError : public std::runtime_error {
 public:
  enum class Kind {
    kCannotOpen,      // the file or its folder cannot be read, created or written
    kNotACollection,  // empty, not a SQLite database, damaged, or another program's database
    kNewer,           // a collection of a newer version
    kBusy,            // another process kept it locked beyond the waits
    kRefused,         // a chart the collection cannot hold (the message says why); nothing changed
    kFailed,          // anything else SQLite reports
  };
  CollectionError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

// $XDG_DATA_HOME/corvane/charts.sqlite, or ~/.local/share/corvane/charts.sqlite when
// XDG_DATA_HOME is unset or not an absolute path (as the XDG base directory rules say).
std::string DefaultCollectionPath();

// One chart of the collection as the list shows it.
struct CollectionChart {
  std::int64_t id = 0;
  std::string name;
  std::string birth;  // "1975-06-05 07:05:00", the local clock of the birth
  std::string place;  // "New Delhi, Delhi, India": city, state and country that are given
  std::string note;
  std::vector<std::string> tags;
  std::int64_t added = 0;              // Unix seconds
  std::optional<std::int64_t> opened;  // Unix seconds; nothing when never opened
  // Sign 0 (Aries) .. 11 (Pisces) of each entry of kCollectionEntries under the default
  // settings; -1 where the entry has none (a lagna not placed, or a birth the default
  // settings cannot calculate, such as one outside the element method's years).
  std::array<int, kCollectionEntryCount> signs{};
};

// What a removal took away, so that it can be put back as it was (the window's undo).
struct RemovedChart {
  CollectionChart chart;
  std::string chartFile;
};

// The outcome of adding one chart.
struct AddedChart {
  std::int64_t id = 0;  // the new chart's id, or the id of the chart it duplicates
  bool added = false;   // false: the collection already holds this birth and clock
};

// The order of a listing.
struct CollectionOrder {
  enum class Key { kId, kName, kBirth, kPlace, kAdded, kOpened, kSign };
  Key key = Key::kName;
  int entry = 0;  // for kSign: the index into kCollectionEntries
  bool descending = false;
};

class ChartCollection {
 public:
  // Opens the collection at `path`, creating it (mode 0600, and its folder) when there is
  // no file. Refused with a CollectionError that names the file: an empty file, one that is
  // not a SQLite database or is damaged, a SQLite database of another program, a collection
  // of a newer version, a link that may not be followed. Such a file is left as it is.
  static std::unique_ptr<ChartCollection> Open(const std::string& path);
  ~ChartCollection();
  ChartCollection(const ChartCollection&) = delete;
  ChartCollection& operator=(const ChartCollection&) = delete;

  const std::string& path() const { return path_; }

  // Adds a chart from its birth details, unless a chart of the same birth and clock (name,
  // date and time, coordinates, zone row and tick or zone and offset, doubled-hour reading)
  // is in the collection already. The birth must be one a chart file can hold
  // (UnsavableChart); otherwise a CollectionError of kind kRefused says why.
  AddedChart add(const BirthData& birth, std::string_view note = {}, const std::vector<std::string>& tags = {});

  // Runs `work` as one transaction: every change inside it is kept together, or none when
  // it throws (the exception goes on up). Changes outside of it are one transaction each.
  void inTransaction(const std::function<void()>& work);

  std::int64_t count(const CollectionFilter& filter = {});
  std::vector<CollectionChart> find(const CollectionFilter& filter, CollectionOrder order = {}, std::int64_t offset = 0,
                                    std::int64_t limit = -1);
  std::optional<CollectionChart> chart(std::int64_t id);
  // The chart file's bytes (the request) of a chart, or nothing when no chart has the id.
  std::optional<std::string> chartFile(std::int64_t id);
  // The birth details of a chart, read back from its chart file.
  std::optional<BirthData> birth(std::int64_t id);
  // The charts opened most recently, the last first.
  std::vector<CollectionChart> recent(int count);

  // Removes a chart (with its tags); nothing when no chart has the id.
  std::optional<RemovedChart> remove(std::int64_t id);
  // Puts a removed chart back with its id, note, tags and dates. Refused (kRefused) when the
  // collection holds a chart of the same birth and clock meanwhile.
  void restore(const RemovedChart& removed);
  // Gives a chart another name (its chart file follows); false when no chart has the id.
  // Refused (kRefused) when the name is not one a chart file can hold, or when the renamed
  // chart would be another chart of the collection.
  bool rename(std::int64_t id, const std::string& name);
  // False when no chart has the id.
  bool setNote(std::int64_t id, std::string_view note);
  bool setTags(std::int64_t id, const std::vector<std::string>& tags);
  bool markOpened(std::int64_t id);

 private:
  ChartCollection(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}
  void recomputeOldReadings();
  std::int64_t insert(const std::string& chartFile, const BirthData& birth, std::string_view note,
                      const std::vector<std::string>& tags, std::int64_t added, std::optional<std::int64_t> opened,
                      std::optional<std::int64_t> id, bool& duplicate);

  // A number that changes whenever the collection does, by this connection or another.
  std::int64_t changeStamp();

  // The last count, kept while the collection is unchanged: a list asks for the count of a
  // filter and then for its pages, and the pages choose their way by it.
  struct CountedFilter {
    std::string text;
    std::vector<SignCondition> signs;
    std::int64_t stamp = 0;
    std::int64_t count = 0;
  };

  sqlite3* db_;
  std::string path_;
  int transactionDepth_ = 0;
  std::optional<CountedFilter> counted_;
};

// The tags of a text "a, b,c": each trimmed, empty ones dropped, each once, in order.
std::vector<std::string> TagsOfText(std::string_view text);

}  // namespace corvane

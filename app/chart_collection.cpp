#include "app/chart_collection.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iterator>
#include <thread>

#include "app/atomic_file.h"
#include "app/birth_validation.h"
#include "app/chart_calculation.h"
#include "app/chart_file.h"
#include "app/chart_texts.h"
#include "app/display_texts.h"
#include "app/search_fold.h"

namespace corvane {
namespace {

using Kind = CollectionError::Kind;

// How long a statement waits for another process's write before it reports the collection
// busy, and how often a transaction that still found it busy is tried again.
constexpr int kBusyTimeoutMs = 5000;
constexpr int kBusyRetries = 6;

// The first 16 bytes of every SQLite database file.
constexpr char kSqliteHeader[] = "SQLite format 3";

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

[[noreturn]] void Throw(Kind kind, const std::string& message) { throw CollectionError(kind, message); }

// What the user can do about a file that is not a usable collection.
std::string LeftAlone(const std::string& path) {
  return " It was left as it is. Move it away or choose another collection file (--collection PATH, or "
         "File > \"Collection Settings\u2026\" in the program); the program works without a collection meanwhile. "
         "File: " +
         Quoted(path);
}

// A statement, finalised when it goes out of scope.
class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql, const std::string& path) : db_(db), path_(path) {
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK) fail();
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& bind(int index, std::int64_t value) {
    check(sqlite3_bind_int64(stmt_, index, value));
    return *this;
  }
  Statement& bind(int index, std::string_view text) {
    // An empty view may have no data; SQLite would take a null pointer for NULL, not "".
    check(sqlite3_bind_text(stmt_, index, text.data() ? text.data() : "", static_cast<int>(text.size()),
                            SQLITE_TRANSIENT));
    return *this;
  }
  Statement& bindBlob(int index, std::string_view bytes) {
    check(sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT));
    return *this;
  }
  Statement& bindNull(int index) {
    check(sqlite3_bind_null(stmt_, index));
    return *this;
  }
  Statement& bind(int index, std::optional<std::int64_t> value) {
    return value ? bind(index, *value) : bindNull(index);
  }

  // True while a row is there; false when done.
  bool step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail();
  }
  void run() {
    while (step()) {
    }
  }
  void reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }

  std::int64_t integer(int column) const { return sqlite3_column_int64(stmt_, column); }
  bool isNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
  std::string text(int column) const {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    return bytes ? std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))) : std::string();
  }

  [[noreturn]] void fail() const;

 private:
  void check(int rc) const {
    if (rc != SQLITE_OK) fail();
  }
  sqlite3* db_;
  const std::string& path_;
  sqlite3_stmt* stmt_ = nullptr;
};

[[noreturn]] void FailOf(sqlite3* db, const std::string& path) {
  const int code = sqlite3_errcode(db) & 0xff;
  const std::string what = sqlite3_errmsg(db);
  if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
    Throw(Kind::kBusy, "The chart collection " + Quoted(path) +
                           " is kept busy by another program for too long; try again in a moment.");
  if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
    Throw(Kind::kNotACollection, "The chart collection is damaged (" + what + ")." + LeftAlone(path));
  if (code == SQLITE_FULL) Throw(Kind::kFailed, "The chart collection " + Quoted(path) + " cannot grow: the disk is full.");
  if (code == SQLITE_READONLY || code == SQLITE_CANTOPEN || code == SQLITE_PERM || code == SQLITE_IOERR)
    Throw(Kind::kCannotOpen, "The chart collection " + Quoted(path) + " cannot be used: " + what + ".");
  Throw(Kind::kFailed, "The chart collection " + Quoted(path) + " failed: " + what + ".");
}

void Statement::fail() const { FailOf(db_, path_); }

void Execute(sqlite3* db, const std::string& path, std::string_view sql) {
  Statement(db, sql, path).run();
}

std::int64_t IntegerOf(sqlite3* db, const std::string& path, std::string_view sql) {
  Statement s(db, sql, path);
  return s.step() ? s.integer(0) : 0;
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
  std::string out;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!out.empty()) out += separator;
    out += part;
  }
  return out;
}

// The sign columns in table order, "sign_al, sign_bl, ...", from the fixed entry table.
std::string SignColumns(std::string_view prefix = {}) {
  std::string out;
  for (const CollectionEntry& entry : kCollectionEntries) {
    if (!out.empty()) out += ", ";
    out += prefix;
    out += entry.column;
  }
  return out;
}

// The layout of version 1. Each chart's texts, dates and signs sit in `charts`, narrow rows
// that a search scans; its chart file and tags in tables of their own that go with it.
std::string SchemaVersion1() {
  std::string signs;
  for (const CollectionEntry& entry : kCollectionEntries) signs += ",\n  " + std::string(entry.column) + " INTEGER";
  return "CREATE TABLE charts (\n"
         "  id INTEGER PRIMARY KEY,\n"
         "  birth_key TEXT NOT NULL UNIQUE,\n"
         "  name TEXT NOT NULL,\n"
         "  birth TEXT NOT NULL,\n"
         "  place TEXT NOT NULL,\n"
         "  note TEXT NOT NULL DEFAULT '',\n"
         "  search TEXT NOT NULL,\n"
         "  added INTEGER NOT NULL,\n"
         "  opened INTEGER,\n"
         "  reading INTEGER NOT NULL" +
         signs +
         ");\n"
         "CREATE TABLE chart_files (\n"
         "  chart_id INTEGER PRIMARY KEY REFERENCES charts(id) ON DELETE CASCADE,\n"
         "  bytes BLOB NOT NULL);\n"
         "CREATE TABLE chart_tags (\n"
         "  chart_id INTEGER NOT NULL REFERENCES charts(id) ON DELETE CASCADE,\n"
         "  position INTEGER NOT NULL,\n"
         "  tag TEXT NOT NULL,\n"
         "  PRIMARY KEY (chart_id, position)) WITHOUT ROWID;\n"
         "CREATE INDEX charts_by_name ON charts(name, id);\n"
         "CREATE INDEX charts_by_birth ON charts(birth, id);\n"
         "CREATE INDEX charts_by_opened ON charts(opened, id);\n";
}

// Version 2: a trigram index of the search texts (SQLite's FTS5, over the `search` column of
// `charts`, kept by triggers), so that a typed text of three or more characters is looked up
// instead of compared with every chart. Case-sensitive, as the texts are folded already: it
// finds exactly what a substring comparison of the folded texts finds.
void MigrateToVersion2(sqlite3* db, const std::string& path) {
  char* error = nullptr;
  const char* sql =
      "CREATE VIRTUAL TABLE chart_search USING fts5(search, content='charts', content_rowid='id',\n"
      "  tokenize='trigram case_sensitive 1');\n"
      "CREATE TRIGGER charts_search_insert AFTER INSERT ON charts BEGIN\n"
      "  INSERT INTO chart_search(rowid, search) VALUES (new.id, new.search); END;\n"
      "CREATE TRIGGER charts_search_delete AFTER DELETE ON charts BEGIN\n"
      "  INSERT INTO chart_search(chart_search, rowid, search) VALUES ('delete', old.id, old.search); END;\n"
      "CREATE TRIGGER charts_search_update AFTER UPDATE OF search ON charts BEGIN\n"
      "  INSERT INTO chart_search(chart_search, rowid, search) VALUES ('delete', old.id, old.search);\n"
      "  INSERT INTO chart_search(rowid, search) VALUES (new.id, new.search); END;\n"
      "INSERT INTO chart_search(chart_search) VALUES ('rebuild');\n";
  if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
    sqlite3_free(error);
    FailOf(db, path);
  }
}

// The steps from each version to the next: kMigrations[v - 1] takes a file of version v to
// v + 1. A new collection is made at version 1 and opened through every step, so that a file
// of an older version and a new one end in the same layout.
using Migration = void (*)(sqlite3* db, const std::string& path);
constexpr Migration kMigrations[] = {MigrateToVersion2};
static_assert(std::size(kMigrations) == kCollectionSchemaVersion - 1);

bool IsDefaultPath(const std::string& path) { return path == DefaultCollectionPath(); }

// A new, empty collection: built at a temporary name in the folder and moved to its name only
// when complete, so that a crash while creating it leaves no half-made collection, and a file
// that appeared there meanwhile is never replaced. Created 0600 whatever the umask.
void CreateCollection(const std::string& path) {
  const std::filesystem::path target(path);
  const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
  static std::atomic<unsigned> counter{0};
  const std::string temporary = folder + "/.corvane-collection-" + std::to_string(::getpid()) + "-" +
                                std::to_string(counter.fetch_add(1)) + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0)
    Throw(Kind::kCannotOpen, "The chart collection " + Quoted(path) + " cannot be created: " + std::strerror(errno) + ".");
  ::fchmod(fd, 0600);
  ::close(fd);
  struct Cleanup {
    std::string name;
    bool done = false;
    ~Cleanup() {
      if (!done) {
        ::unlink(name.c_str());
        ::unlink((name + "-wal").c_str());
        ::unlink((name + "-shm").c_str());
      }
    }
  } cleanup{temporary};

  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(temporary.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW, nullptr);
  const auto close = [&db] { sqlite3_close_v2(db); };
  if (rc != SQLITE_OK) {
    close();
    Throw(Kind::kCannotOpen, "The chart collection " + Quoted(path) + " cannot be created.");
  }
  try {
    Execute(db, path, "PRAGMA journal_mode=WAL");
    Execute(db, path, "BEGIN IMMEDIATE");
    char* error = nullptr;
    if (sqlite3_exec(db, SchemaVersion1().c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      sqlite3_free(error);
      FailOf(db, path);
    }
    Execute(db, path, "PRAGMA application_id=" + std::to_string(kCollectionApplicationId));
    Execute(db, path, "PRAGMA user_version=1");
    Execute(db, path, "COMMIT");
  } catch (...) {
    close();
    throw;
  }
  close();  // the last connection folds the log into the file and removes it

  const int fdCheck = ::open(temporary.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fdCheck >= 0) {
    ::fsync(fdCheck);
    ::close(fdCheck);
  }
  // Never over a file that another process created meanwhile: that one is opened instead.
  if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) != 0 && errno != EEXIST)
    Throw(Kind::kCannotOpen, "The chart collection " + Quoted(path) + " cannot be created: " + std::strerror(errno) + ".");
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
}

// Refuses what is plainly not a collection before SQLite touches it: a folder, device or
// FIFO; an empty file (which SQLite would take for a new database and write into); a file
// that does not start as a SQLite database does.
void CheckFileKind(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0)
    Throw(Kind::kCannotOpen, "The chart collection " + Quoted(path) + " cannot be read: " + std::strerror(errno) + ".");
  if (!S_ISREG(st.st_mode))
    Throw(Kind::kNotACollection, "The chart collection is not a regular file." + LeftAlone(path));
  if (st.st_size == 0) Throw(Kind::kNotACollection, "The chart collection file is empty." + LeftAlone(path));
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0)
    Throw(Kind::kCannotOpen, "The chart collection " + Quoted(path) + " cannot be read: " + std::strerror(errno) + ".");
  char header[sizeof kSqliteHeader] = {};
  const ssize_t got = ::read(fd, header, sizeof header);
  ::close(fd);
  if (got != static_cast<ssize_t>(sizeof header) || std::memcmp(header, kSqliteHeader, sizeof header) != 0)
    Throw(Kind::kNotACollection, "The file is not a chart collection (not a SQLite database)." + LeftAlone(path));
}

// Sign of every entry under the default settings; -1 where there is none.
std::array<int, kCollectionEntryCount> SignsOf(const BirthData& birth) {
  std::array<int, kCollectionEntryCount> signs;
  signs.fill(-1);
  const CalculationResult result = CalculateChart(birth);
  if (!result.ok()) return signs;
  const Chart& chart = result.chart();
  for (int i = 0; i < kLagnaCount; ++i) {
    const LagnaPosition& lagna = chart.lagnas.lagnas[static_cast<std::size_t>(i)];
    if (lagna.placed) signs[static_cast<std::size_t>(i)] = lagna.sign;
  }
  for (int body = 0; body < kCollectionEntryCount - kLagnaCount; ++body)
    signs[static_cast<std::size_t>(kLagnaCount + body)] = chart.lagnas.bodySigns[static_cast<std::size_t>(body)];
  return signs;
}

// The chart a birth's file is written from: its texts trimmed as a calculation trims them,
// and the clock of its details.
Chart RequestChart(const BirthData& birth) {
  Chart chart;
  chart.birth = ChartBirthOf(birth);
  chart.clock = ClockOf(birth);
  return chart;
}

// What makes two births the same chart: the name, the local date and time, the coordinates
// and the clock.
std::string BirthKey(const Chart& chart) {
  const BirthFieldTexts texts = BirthFieldTextsOf(chart.birth);
  const BirthClock& clock = chart.clock;
  std::string key = chart.birth.name;
  for (std::string_view part : {texts.date.View(), texts.time.View(), texts.lon.View(), texts.lat.View()})
    (key += '|') += part;
  key += '|' + std::to_string(static_cast<int>(clock.source)) + '|' + std::to_string(clock.zonePosition) + '|' +
         (clock.daylightSaving ? "1" : "0") + '|' + clock.zoneId + '|' + std::to_string(clock.utcOffsetSeconds) + '|' +
         std::to_string(static_cast<int>(clock.fold));
  return key;
}

std::string PlaceText(const BirthData& birth) {
  return Join({std::string(TrimBlanks(birth.city)), std::string(TrimBlanks(birth.state)),
               std::string(TrimBlanks(birth.country))},
              ", ");
}

std::string BirthText(const BirthData& birth) {
  const BirthFieldTexts texts = BirthFieldTextsOf(birth);
  return std::string(texts.date.View()) + " " + std::string(texts.time.View());
}

// The text a filter searches: the folds of the name, place, found place, note and tags, one
// per line so that a match never spans two of them.
std::string SearchText(const BirthData& birth, std::string_view note, const std::vector<std::string>& tags) {
  std::string out = FoldForSearch(birth.name);
  for (const std::string& part : {PlaceText(birth), birth.place, std::string(note), Join(tags, " ")}) {
    out += '\n';
    AppendFoldedForSearch(out, part);
  }
  return out;
}

std::vector<std::string> SplitTags(const std::string& joined) {
  std::vector<std::string> tags;
  std::size_t start = 0;
  while (start <= joined.size() && !joined.empty()) {
    const std::size_t end = joined.find('\x1f', start);
    tags.push_back(joined.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return tags;
}

// The listing's columns; ChartOfRow reads them in this order.
std::string ListColumns() {
  return "c.id, c.name, c.birth, c.place, c.note, c.added, c.opened, "
         "(SELECT group_concat(tag, char(31)) FROM (SELECT tag FROM chart_tags WHERE chart_id = c.id ORDER BY position)), " +
         SignColumns("c.");
}

CollectionChart ChartOfRow(const Statement& row) {
  CollectionChart chart;
  chart.id = row.integer(0);
  chart.name = row.text(1);
  chart.birth = row.text(2);
  chart.place = row.text(3);
  chart.note = row.text(4);
  chart.added = row.integer(5);
  if (!row.isNull(6)) chart.opened = row.integer(6);
  chart.tags = SplitTags(row.text(7));
  for (int i = 0; i < kCollectionEntryCount; ++i)
    chart.signs[static_cast<std::size_t>(i)] = row.isNull(8 + i) ? -1 : static_cast<int>(row.integer(8 + i));
  return chart;
}

// The trigram index finds texts of three characters or more; a shorter one is compared with
// every chart (it matches most of them anyway).
bool IndexFinds(std::string_view text) {
  std::size_t characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return characters >= 3;
}

// The text as one FTS5 phrase: in double quotes, a double quote doubled; the trigram index
// then finds the charts whose search text holds it as it is.
std::string PhraseOf(std::string_view text) {
  std::string phrase = "\"";
  for (const char c : text) phrase += c == '"' ? std::string("\"\"") : std::string(1, c);
  return phrase + "\"";
}

// How a filter's text is matched: through the trigram index, or compared with each chart
// visited (when the listing walks an order's index and stops after a page of matches).
enum class TextMatch { kIndex, kCompare };

// "WHERE ..." of a filter, with its parameters numbered from 1: the text, then each sign.
std::string WhereOf(const CollectionFilter& filter, TextMatch match) {
  std::string where;
  if (filter.text.empty()) where = "WHERE ?1 = ''";
  else if (match == TextMatch::kIndex && IndexFinds(filter.text))
    where = "WHERE c.id IN (SELECT rowid FROM chart_search WHERE chart_search MATCH ?1)";
  else where = "WHERE instr(c.search, ?1) > 0";
  for (std::size_t i = 0; i < filter.signs.size(); ++i)
    where += " AND c." + std::string(kCollectionEntries[static_cast<std::size_t>(filter.signs[i].entry)].column) +
             " = ?" + std::to_string(i + 2);
  return where;
}

void BindFilter(Statement& s, const CollectionFilter& filter, TextMatch match) {
  if (match == TextMatch::kIndex && IndexFinds(filter.text)) s.bind(1, std::string_view(PhraseOf(filter.text)));
  else s.bind(1, std::string_view(filter.text));
  for (std::size_t i = 0; i < filter.signs.size(); ++i) s.bind(static_cast<int>(i + 2), std::int64_t{filter.signs[i].sign});
}

// `walk`: in the order of the column's index, where it has one (the page of matches comes
// from the first rows that match); otherwise the matches are gathered and sorted.
std::string OrderOf(const CollectionOrder& order, bool walk) {
  std::string column;
  switch (order.key) {
    case CollectionOrder::Key::kId: column = "c.id"; break;
    case CollectionOrder::Key::kName: column = "c.name"; break;
    case CollectionOrder::Key::kBirth: column = "c.birth"; break;
    case CollectionOrder::Key::kPlace: column = "c.place"; break;
    case CollectionOrder::Key::kAdded: column = "c.added"; break;
    case CollectionOrder::Key::kOpened: column = "c.opened"; break;
    case CollectionOrder::Key::kSign:
      column = "c." + std::string(kCollectionEntries[static_cast<std::size_t>(
                          std::clamp(order.entry, 0, kCollectionEntryCount - 1))].column);
      break;
  }
  const char* direction = order.descending ? " DESC" : " ASC";
  // A unary plus keeps SQLite from walking the column's index.
  return " ORDER BY " + std::string(walk ? "" : "+") + column + direction + ", c.id" + direction;
}

std::int64_t Now() { return static_cast<std::int64_t>(std::time(nullptr)); }

}  // namespace

std::string DefaultCollectionPath() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::string base;
  if (data != nullptr && data[0] == '/') {
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : ".") + "/.local/share";
  }
  return base + "/corvane/charts.sqlite";
}

std::vector<std::string> TagsOfText(std::string_view text) {
  std::vector<std::string> tags;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(',', start), text.size());
    const std::string tag(TrimBlanks(text.substr(start, end - start)));
    if (!tag.empty() && std::find(tags.begin(), tags.end(), tag) == tags.end()) tags.push_back(tag);
    start = end + 1;
  }
  return tags;
}

std::unique_ptr<ChartCollection> ChartCollection::Open(const std::string& requested) {
  if (IsDefaultPath(requested)) {
    std::error_code ignored;
    const std::filesystem::path folder = std::filesystem::path(requested).parent_path();
    if (!std::filesystem::exists(folder, ignored)) {
      std::filesystem::create_directories(folder, ignored);
      std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
    }
  }
  // The collection is written in place, so links are followed only where a save would.
  const WritePath where = ResolveWritePath(requested);
  if (where.failure) {
    const AtomicWriteFailure& failure = *where.failure;
    if (failure.step == AtomicWriteFailure::Step::Refused)
      Throw(Kind::kCannotOpen, "The chart collection " + Quoted(requested) + " is not used: " + failure.reason + ".");
    Throw(Kind::kCannotOpen, "The chart collection " + Quoted(requested) + " cannot be used: " + failure.describe() + ".");
  }
  const std::string& path = where.path;
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    if (errno != ENOENT)
      Throw(Kind::kCannotOpen, "The chart collection " + Quoted(path) + " cannot be read: " + std::strerror(errno) + ".");
    CreateCollection(path);
  }
  CheckFileKind(path);

  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX, nullptr) !=
      SQLITE_OK) {
    const std::string what = db != nullptr ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close_v2(db);
    Throw(Kind::kCannotOpen, "The chart collection " + Quoted(path) + " cannot be opened: " + what + ".");
  }
  std::unique_ptr<ChartCollection> collection(new ChartCollection(db, path));
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  sqlite3_extended_result_codes(db, 0);

  // Only reads until the file is known to be ours, so that a foreign file stays untouched.
  const std::int64_t application = IntegerOf(db, path, "PRAGMA application_id");
  const std::int64_t version = IntegerOf(db, path, "PRAGMA user_version");
  if (application != kCollectionApplicationId)
    Throw(Kind::kNotACollection, "The file is a SQLite database of another program, not a chart collection." +
                                     LeftAlone(path));
  if (version > kCollectionSchemaVersion)
    Throw(Kind::kNewer, "The chart collection " + Quoted(path) + " was written by a newer Corvane (collection version " +
                            std::to_string(version) + "; this one reads up to " +
                            std::to_string(kCollectionSchemaVersion) +
                            "). It was left as it is; open it with that newer version, or choose another "
                            "collection file (--collection PATH, or File > \"Collection Settings\u2026\" in the "
                            "program).");
  if (version < 1)
    Throw(Kind::kNotACollection, "The chart collection has no version." + LeftAlone(path));
  Execute(db, path, "PRAGMA foreign_keys=ON");
  Execute(db, path, "PRAGMA cache_size=-32768");  // 32 MiB: a search of 100,000 charts stays in memory
  {
    Statement journal(db, "PRAGMA journal_mode=WAL", path);
    if (!journal.step() || journal.text(0) != "wal")
      Throw(Kind::kCannotOpen, "The chart collection " + Quoted(path) + " cannot use its write-ahead log.");
  }
  if (version < kCollectionSchemaVersion) {
    collection->inTransaction([&] {
      for (std::int64_t v = version; v < kCollectionSchemaVersion; ++v) {
        if (const Migration step = kMigrations[v - 1]) step(db, path);
      }
      Execute(db, path, "PRAGMA user_version=" + std::to_string(kCollectionSchemaVersion));
    });
  }
  collection->recomputeOldReadings();
  return collection;
}

ChartCollection::~ChartCollection() { sqlite3_close_v2(db_); }

void ChartCollection::inTransaction(const std::function<void()>& work) {
  if (transactionDepth_ > 0) {
    work();
    return;
  }
  // BEGIN IMMEDIATE takes the write lock at once, so a transaction never finds the
  // collection busy halfway; a writer that holds it longer than the busy timeout is waited
  // for a few times more before the user hears of it.
  for (int attempt = 0;; ++attempt) {
    if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK) break;
    if ((sqlite3_errcode(db_) & 0xff) != SQLITE_BUSY || attempt == kBusyRetries) FailOf(db_, path_);
  }
  ++transactionDepth_;
  try {
    work();
    --transactionDepth_;
  } catch (...) {
    --transactionDepth_;
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
  if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    FailOf(db_, path_);
  }
}

void ChartCollection::recomputeOldReadings() {
  const std::string old = "SELECT c.id, f.bytes FROM charts c JOIN chart_files f ON f.chart_id = c.id WHERE c.reading < ?1";
  {
    Statement any(db_, old + " LIMIT 1", path_);
    any.bind(1, std::int64_t{kCollectionReadingVersion});
    if (!any.step()) return;
  }
  inTransaction([&] {
    Statement rows(db_, old, path_);
    rows.bind(1, std::int64_t{kCollectionReadingVersion});
    std::string set;
    for (const CollectionEntry& entry : kCollectionEntries)
      set += std::string(entry.column) + " = ?" + std::to_string(2 + (&entry - kCollectionEntries.data())) + ", ";
    Statement update(db_, "UPDATE charts SET " + set + "reading = ?" + std::to_string(2 + kCollectionEntryCount) +
                              " WHERE id = ?1",
                     path_);
    while (rows.step()) {
      const ParsedChartFile parsed = ParseChartFile(rows.text(1));
      std::array<int, kCollectionEntryCount> signs;
      signs.fill(-1);
      if (parsed.ok()) signs = SignsOf(parsed.birth());
      update.reset();
      update.bind(1, rows.integer(0));
      for (int i = 0; i < kCollectionEntryCount; ++i) {
        const int sign = signs[static_cast<std::size_t>(i)];
        if (sign < 0) update.bindNull(2 + i);
        else update.bind(2 + i, std::int64_t{sign});
      }
      update.bind(2 + kCollectionEntryCount, std::int64_t{kCollectionReadingVersion});
      update.run();
    }
  });
}

std::int64_t ChartCollection::insert(const std::string& chartFile, const BirthData& birth, std::string_view note,
                                     const std::vector<std::string>& tags, std::int64_t added,
                                     std::optional<std::int64_t> opened, std::optional<std::int64_t> id,
                                     bool& duplicate) {
  const Chart request = RequestChart(birth);
  const std::array<int, kCollectionEntryCount> signs = SignsOf(birth);
  std::string columns = "id, birth_key, name, birth, place, note, search, added, opened, reading";
  std::string values = "?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10";
  for (int i = 0; i < kCollectionEntryCount; ++i) {
    columns += ", " + std::string(kCollectionEntries[static_cast<std::size_t>(i)].column);
    values += ", ?" + std::to_string(11 + i);
  }
  Statement s(db_, "INSERT INTO charts (" + columns + ") VALUES (" + values + ") ON CONFLICT (birth_key) DO NOTHING",
              path_);
  s.bind(1, id);
  s.bind(2, std::string_view(BirthKey(request)));
  s.bind(3, std::string_view(request.birth.name));
  s.bind(4, std::string_view(BirthText(birth)));
  s.bind(5, std::string_view(PlaceText(birth)));
  s.bind(6, note);
  s.bind(7, std::string_view(SearchText(birth, note, tags)));
  s.bind(8, added);
  s.bind(9, opened);
  s.bind(10, std::int64_t{kCollectionReadingVersion});
  for (int i = 0; i < kCollectionEntryCount; ++i) {
    const int sign = signs[static_cast<std::size_t>(i)];
    if (sign < 0) s.bindNull(11 + i);
    else s.bind(11 + i, std::int64_t{sign});
  }
  s.run();
  duplicate = sqlite3_changes(db_) == 0;
  if (duplicate) {
    Statement existing(db_, "SELECT id FROM charts WHERE birth_key = ?1", path_);
    existing.bind(1, std::string_view(BirthKey(request)));
    return existing.step() ? existing.integer(0) : 0;
  }
  const std::int64_t newId = sqlite3_last_insert_rowid(db_);
  Statement file(db_, "INSERT INTO chart_files (chart_id, bytes) VALUES (?1, ?2)", path_);
  file.bind(1, newId).bindBlob(2, chartFile).run();
  Statement tag(db_, "INSERT INTO chart_tags (chart_id, position, tag) VALUES (?1, ?2, ?3)", path_);
  for (std::size_t i = 0; i < tags.size(); ++i) {
    tag.reset();
    tag.bind(1, newId).bind(2, static_cast<std::int64_t>(i)).bind(3, std::string_view(tags[i])).run();
  }
  return newId;
}

AddedChart ChartCollection::add(const BirthData& birth, std::string_view note, const std::vector<std::string>& tags) {
  if (const auto refused = ValidateBirthData(birth, EngineKind::kSwiss))
    Throw(Kind::kRefused, "This chart cannot be added to the collection: " + std::string(refused->text));
  const Chart request = RequestChart(birth);
  if (const auto refusal = UnsavableChart(request))
    Throw(Kind::kRefused, "This chart cannot be added to the collection: " + *refusal);
  const std::string chartFile = EncodeChartFile(request);
  // The birth as its file gives it back, so that the collection holds what it will export.
  const ParsedChartFile stored = ParseChartFile(chartFile);
  if (!stored.ok()) Throw(Kind::kRefused, "This chart cannot be added to the collection: its file does not read back.");
  AddedChart result;
  inTransaction([&] {
    bool duplicate = false;
    result.id = insert(chartFile, stored.birth(), note, TagsOfText(Join(tags, ",")), Now(), std::nullopt,
                       std::nullopt, duplicate);
    result.added = !duplicate;
  });
  return result;
}

std::int64_t ChartCollection::changeStamp() {
  // This connection's own changes, and PRAGMA data_version for those of other connections.
  return static_cast<std::int64_t>(sqlite3_total_changes64(db_)) * 1000003 + IntegerOf(db_, path_, "PRAGMA data_version");
}

std::int64_t ChartCollection::count(const CollectionFilter& filter) {
  const std::int64_t stamp = changeStamp();
  if (counted_ && counted_->stamp == stamp && counted_->text == filter.text && counted_->signs == filter.signs)
    return counted_->count;
  std::int64_t n = 0;
  if (filter.signs.empty() && IndexFinds(filter.text)) {
    // The index alone counts the charts of a text.
    Statement s(db_, "SELECT count(*) FROM chart_search WHERE chart_search MATCH ?1", path_);
    s.bind(1, std::string_view(PhraseOf(filter.text)));
    n = s.step() ? s.integer(0) : 0;
  } else {
    Statement s(db_, "SELECT count(*) FROM charts c " + WhereOf(filter, TextMatch::kIndex), path_);
    BindFilter(s, filter, TextMatch::kIndex);
    n = s.step() ? s.integer(0) : 0;
  }
  counted_ = CountedFilter{filter.text, filter.signs, stamp, n};
  return n;
}

std::vector<CollectionChart> ChartCollection::find(const CollectionFilter& filter, CollectionOrder order,
                                                   std::int64_t offset, std::int64_t limit) {
  offset = std::max<std::int64_t>(offset, 0);
  // Two ways to a page: walk the order's index, testing each chart, until the page is full
  // (about page end x charts / matches visits: cheap when most charts match), or gather the
  // matches through the trigram index and sort them (about `matches` rows: cheap when few do).
  bool walk = true;
  if (!filter.text.empty() || !filter.signs.empty()) {
    const std::int64_t matches = count(filter);
    if (matches == 0 || offset >= matches) return {};
    const double charts = static_cast<double>(std::max<std::int64_t>(IntegerOf(db_, path_, "SELECT max(id) FROM charts"), 1));
    const double pageEnd = static_cast<double>(limit < 0 ? matches : std::min(offset + limit, matches));
    walk = pageEnd * charts / static_cast<double>(matches) < static_cast<double>(matches);
  }
  const TextMatch match = walk ? TextMatch::kCompare : TextMatch::kIndex;
  Statement s(db_,
              "SELECT " + ListColumns() + " FROM charts c " + WhereOf(filter, match) + OrderOf(order, walk) +
                  " LIMIT ?" + std::to_string(filter.signs.size() + 2) + " OFFSET ?" +
                  std::to_string(filter.signs.size() + 3),
              path_);
  BindFilter(s, filter, match);
  s.bind(static_cast<int>(filter.signs.size() + 2), limit);
  s.bind(static_cast<int>(filter.signs.size() + 3), offset);
  std::vector<CollectionChart> charts;
  while (s.step()) charts.push_back(ChartOfRow(s));
  return charts;
}

std::optional<CollectionChart> ChartCollection::chart(std::int64_t id) {
  Statement s(db_, "SELECT " + ListColumns() + " FROM charts c WHERE c.id = ?1", path_);
  s.bind(1, id);
  if (!s.step()) return std::nullopt;
  return ChartOfRow(s);
}

std::optional<std::string> ChartCollection::chartFile(std::int64_t id) {
  Statement s(db_, "SELECT bytes FROM chart_files WHERE chart_id = ?1", path_);
  s.bind(1, id);
  if (!s.step()) return std::nullopt;
  return s.text(0);
}

std::optional<BirthData> ChartCollection::birth(std::int64_t id) {
  const auto bytes = chartFile(id);
  if (!bytes) return std::nullopt;
  const ParsedChartFile parsed = ParseChartFile(*bytes);
  if (!parsed.ok())
    Throw(Kind::kFailed, "The chart " + std::to_string(id) + " of the collection " + Quoted(path_) +
                             " cannot be read: " + parsed.refusal().reason + ".");
  return parsed.birth();
}

std::vector<CollectionChart> ChartCollection::recent(int count) {
  Statement s(db_,
              "SELECT " + ListColumns() + " FROM charts c WHERE c.opened IS NOT NULL ORDER BY c.opened DESC, c.id DESC "
              "LIMIT ?1",
              path_);
  s.bind(1, std::int64_t{count});
  std::vector<CollectionChart> charts;
  while (s.step()) charts.push_back(ChartOfRow(s));
  return charts;
}

std::optional<RemovedChart> ChartCollection::remove(std::int64_t id) {
  std::optional<RemovedChart> removed;
  inTransaction([&] {
    auto listed = chart(id);
    auto bytes = chartFile(id);
    if (!listed || !bytes) return;
    removed = RemovedChart{std::move(*listed), std::move(*bytes)};
    Statement s(db_, "DELETE FROM charts WHERE id = ?1", path_);  // its file and tags go with it
    s.bind(1, id).run();
  });
  return removed;
}

void ChartCollection::restore(const RemovedChart& removed) {
  const ParsedChartFile parsed = ParseChartFile(removed.chartFile);
  if (!parsed.ok()) Throw(Kind::kRefused, "The removed chart cannot be put back: its file does not read.");
  inTransaction([&] {
    bool duplicate = false;
    insert(removed.chartFile, parsed.birth(), removed.chart.note, removed.chart.tags, removed.chart.added,
           removed.chart.opened, removed.chart.id, duplicate);
    if (duplicate)
      Throw(Kind::kRefused, "The chart cannot be put back: the collection holds a chart of the same birth and clock.");
  });
}

bool ChartCollection::rename(std::int64_t id, const std::string& name) {
  if (const auto refusal = NameRefusal(name)) Throw(Kind::kRefused, "The name cannot be used: " + *refusal + ".");
  const auto filtered = FilterName(name);
  if (!filtered || TrimBlanks(*filtered).empty()) Throw(Kind::kRefused, "The name cannot be empty.");
  bool found = false;
  inTransaction([&] {
    auto data = birth(id);
    if (!data) return;
    data->name = *filtered;
    const Chart request = RequestChart(*data);
    if (const auto refusal = UnsavableChart(request)) Throw(Kind::kRefused, "The name cannot be used: " + *refusal);
    auto removed = remove(id);
    removed->chartFile = EncodeChartFile(request);
    restore(*removed);
    found = true;
  });
  return found;
}

bool ChartCollection::setNote(std::int64_t id, std::string_view note) {
  bool found = false;
  inTransaction([&] {
    const auto listed = chart(id);
    const auto data = birth(id);
    if (!listed || !data) return;
    Statement s(db_, "UPDATE charts SET note = ?2, search = ?3 WHERE id = ?1", path_);
    s.bind(1, id).bind(2, note).bind(3, std::string_view(SearchText(*data, note, listed->tags))).run();
    found = true;
  });
  return found;
}

bool ChartCollection::setTags(std::int64_t id, const std::vector<std::string>& given) {
  const std::vector<std::string> tags = TagsOfText(Join(given, ","));
  bool found = false;
  inTransaction([&] {
    const auto listed = chart(id);
    const auto data = birth(id);
    if (!listed || !data) return;
    Statement(db_, "DELETE FROM chart_tags WHERE chart_id = ?1", path_).bind(1, id).run();
    Statement tag(db_, "INSERT INTO chart_tags (chart_id, position, tag) VALUES (?1, ?2, ?3)", path_);
    for (std::size_t i = 0; i < tags.size(); ++i) {
      tag.reset();
      tag.bind(1, id).bind(2, static_cast<std::int64_t>(i)).bind(3, std::string_view(tags[i])).run();
    }
    Statement s(db_, "UPDATE charts SET search = ?2 WHERE id = ?1", path_);
    s.bind(1, id).bind(2, std::string_view(SearchText(*data, listed->note, tags))).run();
    found = true;
  });
  return found;
}

bool ChartCollection::markOpened(std::int64_t id) {
  bool found = false;
  inTransaction([&] {
    Statement s(db_, "UPDATE charts SET opened = ?2 WHERE id = ?1", path_);
    s.bind(1, id).bind(2, Now()).run();
    found = sqlite3_changes(db_) > 0;
  });
  return found;
}

}  // namespace corvane

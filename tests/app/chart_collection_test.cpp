// The chart collection: creating and refusing files, adding, finding, removing and importing.
#include "app/chart_calculation.h"
#include "app/chart_collection.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/chart_file.h"
#include "app/collection_export.h"
#include "app/collection_filter.h"
#include "app/collection_import.h"
#include "app/search_fold.h"
#include "tests/app/cli_runner.h"
#include "tests/app/sample_birth.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::DelhiBirth;
using testing::Slurp;
using testing::TempFolderTest;

class ChartCollectionTest : public TempFolderTest {
 protected:
  std::unique_ptr<ChartCollection> OpenNew() { return ChartCollection::Open(Path("charts.sqlite")); }

  // Runs SQL on the file directly, as another program would.
  void Sql(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
  }
};

BirthData Named(const std::string& name, int hour = 7) {
  BirthData b = DelhiBirth();
  b.name = name;
  b.hour = hour;
  return b;
}

TEST_F(ChartCollectionTest, IsCreatedOwnerOnlyWhateverTheUmaskAndOpensAgain) {
  const mode_t old = ::umask(0);  // the most permissive umask
  std::int64_t id = 0;
  {
    auto collection = OpenNew();
    id = collection->add(DelhiBirth(), "first reading", {"family"}).id;
  }
  ::umask(old);
  struct stat st {};
  ASSERT_EQ(::stat(Path("charts.sqlite").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  for (const auto& entry : fs::directory_iterator(dir_))  // no temporary file is left behind
    EXPECT_EQ(entry.path().filename().string().rfind(".corvane", 0), std::string::npos) << entry.path();
  auto again = OpenNew();
  const auto chart = again->chart(id);
  ASSERT_TRUE(chart);
  EXPECT_EQ(chart->name, "RAM");
  EXPECT_EQ(chart->birth, "1975-06-05 07:05:00");
  EXPECT_EQ(chart->note, "first reading");
  EXPECT_EQ(chart->tags, std::vector<std::string>{"family"});
  EXPECT_FALSE(chart->opened);
}

TEST_F(ChartCollectionTest, KeepsTheChartFileByteForByteAndSkipsTheSameBirthAndClock) {
  auto collection = OpenNew();
  const AddedChart first = collection->add(DelhiBirth());
  EXPECT_TRUE(first.added);
  // Same birth and clock, another note: the same chart.
  const AddedChart again = collection->add(DelhiBirth(), "other note");
  EXPECT_FALSE(again.added);
  EXPECT_EQ(again.id, first.id);
  // Each of these differs in one part of the birth or the clock: a chart of its own.
  BirthData otherZone = DelhiBirth();
  otherZone.zonePosition = 33;
  BirthData dst = DelhiBirth();
  dst.daylightSaving = true;
  BirthData second = DelhiBirth();
  second.second = 1;
  BirthData south = DelhiBirth();
  south.south = true;
  BirthData exact = DelhiBirth();
  exact.extras.utcOffsetSeconds = 19800;
  for (const BirthData& b : {otherZone, dst, second, south, exact, Named("SITA")})
    EXPECT_TRUE(collection->add(b).added) << b.name << " " << b.zonePosition;
  EXPECT_EQ(collection->count(), 7);

  // The stored request is the chart file a save writes, and reads back to the same birth.
  const auto bytes = collection->chartFile(first.id);
  ASSERT_TRUE(bytes);
  const ParsedChartFile parsed = ParseChartFile(*bytes);
  ASSERT_TRUE(parsed.ok());
  EXPECT_EQ(parsed.birth().name, "RAM");
  EXPECT_EQ(parsed.birth().zonePosition, 34);
  EXPECT_EQ(parsed.birth().lonDegrees, "77");
}

TEST_F(ChartCollectionTest, RefusesABirthAChartFileCannotHoldAndChangesNothing) {
  auto collection = OpenNew();
  BirthData bad = DelhiBirth();
  bad.city = "Łódź";  // Ł is not in Windows-1252
  BirthData noLongitude = DelhiBirth();
  noLongitude.lonDegrees = "";
  for (const BirthData& b : {bad, noLongitude}) {
    try {
      collection->add(b);
      ADD_FAILURE() << "added " << b.city;
    } catch (const CollectionError& e) {
      EXPECT_EQ(e.kind(), CollectionError::Kind::kRefused) << e.what();
    }
  }
  EXPECT_EQ(collection->count(), 0);
}

// Hand-worked signs of RAM's birth, 5 June 1975 07:05 IST at New Delhi (Lahiri): the Sun
// stands near 14 Gemini tropical, less an ayanamsa of 23.5 degrees: about 21 Taurus; the
// Sun rose at about 05:24, so 07:05 is under two hours later and the ascendant is the sign
// after the Sun's, Gemini.
TEST_F(ChartCollectionTest, FiltersByFoldedTextAndBySigns) {
  auto collection = OpenNew();
  BirthData jose = Named("JOSÉ", 9);
  jose.city = "Málaga";
  collection->add(DelhiBirth(), "Reads for the Müller family", {"clients"});
  collection->add(jose, "", {"Ärzte"});
  collection->add(Named("SITA", 19));

  struct Row {
    const char* typed;
    std::vector<std::string> names;
  };
  const Row rows[] = {
      {"", {"JOSÉ", "RAM", "SITA"}},
      {"jose", {"JOSÉ"}},
      {"MALAGA", {"JOSÉ"}},
      {"muller", {"RAM"}},        // the note, folded
      {"arzte", {"JOSÉ"}},        // a tag, folded
      {"clients", {"RAM"}},
      {"sun in taurus", {"JOSÉ", "RAM", "SITA"}},  // all three on the same day
      {"Sun in Gemini", {}},
      {"Asc in Gemini", {"RAM"}},
      {"Ascendant in Gem", {"RAM"}},
      {"ram Sun in Taurus", {"RAM"}},
      {"nobody", {}},
      {"100%", {}},  // typed text is matched as it is, never as a pattern
  };
  for (const Row& row : rows) {
    std::vector<std::string> names;
    for (const CollectionChart& c : collection->find(ParseCollectionFilter(row.typed))) names.push_back(c.name);
    EXPECT_EQ(names, row.names) << row.typed;
    EXPECT_EQ(collection->count(ParseCollectionFilter(row.typed)), static_cast<std::int64_t>(row.names.size()))
        << row.typed;
  }
  // Paged and sorted by any column, both ways.
  const auto byBirthDown = collection->find({}, {CollectionOrder::Key::kBirth, 0, true}, 1, 1);
  ASSERT_EQ(byBirthDown.size(), 1u);
  EXPECT_EQ(byBirthDown[0].name, "JOSÉ");  // 19:00, 09:00, 07:05: the second
}

// The trigram index answers exactly as comparing every chart's texts would: over 600 charts
// of varied names, places, notes and tags, after notes change and charts go and come back,
// each filter's count and its pages (walked in the order's index or gathered through the
// index, whichever the page takes) are the charts whose listed texts hold the folded text.
TEST_F(ChartCollectionTest, TheSearchIndexFindsWhatAComparisonOfEveryChartFinds) {
  auto collection = OpenNew();
  static const char* const kNames[] = {"RAM", "JOSÉ", "ANNE-MARIE", "O'BRIEN", "ZOË", "MÜLLER", "LI", "SITA"};
  static const char* const kCities[] = {"New Delhi", "Málaga", "Zürich", "São Paulo", "Kraków", ""};
  static const char* const kNotes[] = {"", "Reads for the family", "twin of \"Q\"", "100% sure", "Zürich office"};
  std::vector<std::int64_t> ids;
  collection->inTransaction([&] {
    for (int i = 0; i < 600; ++i) {
      BirthData b = Named(std::string(kNames[i % 8]) + " " + kNames[i / 8 % 8], i % 24);
      b.year = 1901 + i % 149;
      b.city = kCities[i % 6];
      ids.push_back(collection->add(b, kNotes[i % 5], {i % 3 == 0 ? "clients" : "family"}).id);
    }
  });
  ASSERT_EQ(collection->count(), 600);
  collection->setNote(ids[5], "now in Lisbon");
  collection->setNote(ids[11], "");  // "Reads for the family" no longer
  const auto removed = collection->remove(ids[20]);
  collection->remove(ids[21]);
  collection->restore(*removed);

  // The reference: each chart's name, place, note and tags as listed, folded, compared.
  const std::vector<CollectionChart> all = collection->find({}, {CollectionOrder::Key::kId});
  ASSERT_EQ(all.size(), 599u);
  const auto holds = [](const CollectionChart& c, const std::string& text) {
    std::string joined;
    for (const std::string& tag : c.tags) joined += tag + " ";
    for (const std::string& part : {c.name, c.place, c.note, joined})
      if (FoldForSearch(part).find(text) != std::string::npos) return true;
    return false;
  };
  for (const char* typed : {"mu", "mull", "muller", "anne marie", "zurich", "lisbon", "reads for", "100%", "\"q\"",
                            "sao paulo", "family", "clients", "obrien li", "nobody", "ram Asc in Gemini",
                            "sita Sun in Taurus", "Sun in Gemini", "zoe Moon in Leo"}) {
    const CollectionFilter filter = ParseCollectionFilter(typed);
    std::vector<std::int64_t> expected;
    for (const CollectionChart& c : all) {
      bool signs = true;
      for (const SignCondition& sign : filter.signs) signs = signs && c.signs[static_cast<std::size_t>(sign.entry)] == sign.sign;
      if (signs && (filter.text.empty() || holds(c, filter.text))) expected.push_back(c.id);
    }
    EXPECT_EQ(collection->count(filter), static_cast<std::int64_t>(expected.size())) << typed;
    for (const bool descending : {false, true}) {
      // Pages of 7 from any offset, in the order of ids: together, the whole list.
      std::vector<std::int64_t> paged;
      for (std::int64_t offset = 0; offset < static_cast<std::int64_t>(expected.size()) + 7; offset += 7)
        for (const CollectionChart& c : collection->find(filter, {CollectionOrder::Key::kId, 0, descending}, offset, 7))
          paged.push_back(c.id);
      std::vector<std::int64_t> wanted = expected;
      if (descending) std::reverse(wanted.begin(), wanted.end());
      EXPECT_EQ(paged, wanted) << typed << (descending ? " descending" : "");
    }
    // By name: the first page has the smallest names of the matches.
    const auto byName = collection->find(filter, {CollectionOrder::Key::kName}, 0, 5);
    std::vector<std::string> names;
    for (const std::int64_t id : expected) names.push_back(collection->chart(id)->name);
    std::sort(names.begin(), names.end());
    names.resize(std::min<std::size_t>(names.size(), 5));
    std::vector<std::string> got;
    for (const CollectionChart& c : byName) got.push_back(c.name);
    EXPECT_EQ(got, names) << typed;
  }
}

// A collection of the first layout (no search index) is migrated when it is opened: the
// index is built from the charts it holds, and later changes keep it.
TEST_F(ChartCollectionTest, AFileOfTheFirstVersionGetsItsSearchIndexWhenOpened) {
  {
    auto collection = OpenNew();
    collection->add(Named("JOSÉ"), "Málaga");
    collection->add(Named("SITA"));
  }
  Sql(Path("charts.sqlite"),
      "DROP TRIGGER charts_search_insert; DROP TRIGGER charts_search_delete; DROP TRIGGER charts_search_update;"
      "DROP TABLE chart_search; PRAGMA user_version=1;");
  auto collection = OpenNew();
  EXPECT_EQ(collection->count(ParseCollectionFilter("malaga")), 1);
  EXPECT_EQ(collection->count(ParseCollectionFilter("jose")), 1);
  collection->add(Named("JOSEPH"));
  EXPECT_EQ(collection->count(ParseCollectionFilter("jose")), 2);
  collection.reset();
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(Path("charts.sqlite").c_str(), &db), SQLITE_OK);
  sqlite3_stmt* version = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &version, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(version), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(version, 0), kCollectionSchemaVersion);
  sqlite3_finalize(version);
  sqlite3_close(db);
}

TEST_F(ChartCollectionTest, FilterTextReadsSignConditionsAndLeavesTheRest) {
  struct Row {
    const char* typed;
    std::string text;
    std::vector<SignCondition> signs;
  };
  const Row rows[] = {
      {"HL in Leo", "", {{kHL, 4}}},
      {"hl IN leo", "", {{kHL, 4}}},
      {"Moon in Cancer anjali", "anjali", {{kLagnaCount + 1, 3}}},
      {"Ascendant in Sco Ketu in Pis", "", {{kAscendantLagna, 7}, {kLagnaCount + 8, 11}}},
      {"Asc in Ari", "", {{kAscendantLagna, 0}}},
      {"HL in Leo HL in Leo", "", {{kHL, 4}}},
      {"born in Madrid", "born in madrid", {}},  // no entry called "born"
      {"HL in Paris", "hl in paris", {}},
      {"Müller", "muller", {}},
  };
  for (const Row& row : rows) {
    const CollectionFilter filter = ParseCollectionFilter(row.typed);
    EXPECT_EQ(filter.text, row.text) << row.typed;
    EXPECT_EQ(filter.signs, row.signs) << row.typed;
  }
}

TEST_F(ChartCollectionTest, RemovesAndPutsBackAsItWas) {
  auto collection = OpenNew();
  const std::int64_t id = collection->add(DelhiBirth(), "note", {"a", "b"}).id;
  collection->add(Named("SITA"));
  ASSERT_TRUE(collection->markOpened(id));
  const auto before = collection->chart(id);
  const auto bytes = collection->chartFile(id);
  const auto removed = collection->remove(id);
  ASSERT_TRUE(removed);
  EXPECT_EQ(collection->count(ParseCollectionFilter("ram")), 0);  // gone from the search too
  EXPECT_FALSE(collection->chart(id));
  EXPECT_FALSE(collection->chartFile(id));
  EXPECT_FALSE(collection->remove(id));
  collection->restore(*removed);
  const auto after = collection->chart(id);
  ASSERT_TRUE(after);
  EXPECT_EQ(after->tags, before->tags);
  EXPECT_EQ(after->note, before->note);
  EXPECT_EQ(after->opened, before->opened);
  EXPECT_EQ(after->added, before->added);
  EXPECT_EQ(after->signs, before->signs);
  EXPECT_EQ(collection->chartFile(id), bytes);
  EXPECT_EQ(collection->recent(10).front().id, id);
  EXPECT_EQ(collection->count(ParseCollectionFilter("ram")), 1);
}

TEST_F(ChartCollectionTest, RenamesAChartAndItsFileButNeverIntoAnother) {
  auto collection = OpenNew();
  const std::int64_t ram = collection->add(DelhiBirth(), "note", {"t"}).id;
  collection->add(Named("SITA"));
  ASSERT_TRUE(collection->rename(ram, "ravi kumar"));
  const auto renamed = collection->chart(ram);
  EXPECT_EQ(renamed->name, "RAVI KUMAR");  // capitals, as the form writes names
  EXPECT_EQ(renamed->note, "note");
  EXPECT_EQ(ParseChartFile(*collection->chartFile(ram)).birth().name, "RAVI KUMAR");
  EXPECT_EQ(collection->count(ParseCollectionFilter("ravi")), 1);
  EXPECT_EQ(collection->count(ParseCollectionFilter("ram")), 0);
  for (const char* refused : {"SITA", "\u0141ukasz", "  ", "2PAC"}) {
    EXPECT_THROW(collection->rename(ram, refused), CollectionError) << refused;
    EXPECT_EQ(collection->chart(ram)->name, "RAVI KUMAR") << refused;  // kept as it was
  }
  EXPECT_EQ(collection->count(), 2);
  EXPECT_FALSE(collection->rename(ram + 10, "X"));
}

TEST_F(ChartCollectionTest, NotesAndTagsAreFoundAfterTheyChange) {
  auto collection = OpenNew();
  const std::int64_t id = collection->add(DelhiBirth()).id;
  EXPECT_EQ(collection->count(ParseCollectionFilter("zürich")), 0);
  ASSERT_TRUE(collection->setNote(id, "Moved to Zürich"));
  EXPECT_EQ(collection->count(ParseCollectionFilter("zurich")), 1);
  ASSERT_TRUE(collection->setTags(id, {" research ", "research", "", "twins"}));
  EXPECT_EQ(collection->chart(id)->tags, (std::vector<std::string>{"research", "twins"}));
  EXPECT_EQ(collection->count(ParseCollectionFilter("twins")), 1);
  EXPECT_FALSE(collection->setNote(id + 100, "x"));
}

// Files that are not a usable collection: each refused with a message naming the file, and
// left byte for byte as it was.
TEST_F(ChartCollectionTest, RefusesFilesThatAreNoCollectionAndLeavesThemAlone) {
  struct Row {
    const char* label;
    std::function<void(const std::string&)> make;
    CollectionError::Kind kind;
    const char* words;
  };
  const auto write = [](std::string bytes) {
    return [bytes](const std::string& path) { std::ofstream(path, std::ios::binary) << bytes; };
  };
  std::string random(8192, '\0');
  for (std::size_t i = 0; i < random.size(); ++i) random[i] = static_cast<char>((i * 2654435761u) >> 13);
  std::string damaged;
  const Row rows[] = {
      {"empty", write(""), CollectionError::Kind::kNotACollection, "empty"},
      {"random bytes", write(random), CollectionError::Kind::kNotACollection, "not a SQLite database"},
      {"text", write("name,date\nRAM,1975-06-05\n"), CollectionError::Kind::kNotACollection, "not a SQLite database"},
      {"another program's database",
       [this](const std::string& path) { Sql(path, "CREATE TABLE songs (title TEXT); INSERT INTO songs VALUES ('x');"); },
       CollectionError::Kind::kNotACollection, "another program"},
      {"newer version",
       [this](const std::string& path) {
         ChartCollection::Open(path)->add(DelhiBirth());
         Sql(path, "PRAGMA user_version=" + std::to_string(kCollectionSchemaVersion + 1));
       },
       CollectionError::Kind::kNewer, "newer"},
      {"header of a database, then garbage",
       [&](const std::string& path) {
         ChartCollection::Open(path)->add(DelhiBirth());
         std::string bytes = Slurp(path);
         for (std::size_t i = 100; i < bytes.size(); ++i) bytes[i] = random[i % random.size()];
         std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
       },
       CollectionError::Kind::kNotACollection, "damaged"},
  };
  int index = 0;
  for (const Row& row : rows) {
    // Named apart from the label, so that the label's words in the path cannot pass for the message's.
    const std::string path = Path("case" + std::to_string(index++) + ".sqlite");
    row.make(path);
    const std::string before = Slurp(path);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    try {
      auto collection = ChartCollection::Open(path);
      collection->count();  // a damaged page may show only on reading
      ADD_FAILURE() << row.label << ": opened";
    } catch (const CollectionError& e) {
      EXPECT_EQ(e.kind(), row.kind) << row.label << ": " << e.what();
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << row.label << ": " << e.what();
      EXPECT_NE(std::string(e.what()).find(row.words), std::string::npos) << row.label << ": " << e.what();
    }
    EXPECT_EQ(Slurp(path), before) << row.label;
    EXPECT_FALSE(fs::exists(path + "-wal")) << row.label;
  }
}

TEST_F(ChartCollectionTest, FollowsNoLinkThatLeadsNowhereAndRefusesAFolder) {
  const std::string target = Path("elsewhere.sqlite");
  const std::string link = Path("charts.sqlite");
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  EXPECT_THROW(ChartCollection::Open(link), CollectionError);
  EXPECT_FALSE(fs::exists(target));  // nothing was created through the link
  EXPECT_TRUE(fs::is_symlink(link));
  fs::create_directory(Path("folder.sqlite"));
  EXPECT_THROW(ChartCollection::Open(Path("folder.sqlite")), CollectionError);
}

TEST_F(ChartCollectionTest, ALinkOfTheUsersOwnToACollectionIsFollowed) {
  const std::string target = Path("real.sqlite");
  ChartCollection::Open(target)->add(DelhiBirth());
  ASSERT_EQ(::symlink("real.sqlite", Path("charts.sqlite").c_str()), 0);
  auto collection = OpenNew();
  EXPECT_EQ(collection->count(), 1);
  EXPECT_EQ(collection->path(), target);
}

// A program whose reading of the default settings changed raises the reading version: rows of
// an older reading are recomputed on the next open.
TEST_F(ChartCollectionTest, RecomputesTheSignsOfAnOlderReading) {
  std::array<int, kCollectionEntryCount> right{};
  {
    auto collection = OpenNew();
    const std::int64_t id = collection->add(DelhiBirth()).id;
    right = collection->chart(id)->signs;
  }
  Sql(Path("charts.sqlite"), "UPDATE charts SET sign_hl = 11, sign_sun = NULL, reading = 0");
  auto collection = OpenNew();
  EXPECT_EQ(collection->find({}).front().signs, right);
}

TEST_F(ChartCollectionTest, DefaultPathFollowsTheDataHome) {
  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string keep = saved ? saved : "";
  ::setenv("XDG_DATA_HOME", dir_.c_str(), 1);
  EXPECT_EQ(DefaultCollectionPath(), dir_.string() + "/corvane/charts.sqlite");
  ::setenv("XDG_DATA_HOME", "relative/path", 1);  // not absolute: ignored, as the XDG rules say
  EXPECT_NE(DefaultCollectionPath().find("/.local/share/corvane/charts.sqlite"), std::string::npos);
  ::setenv("XDG_DATA_HOME", dir_.c_str(), 1);
  EXPECT_EQ(ChartCollection::Open(DefaultCollectionPath())->count(), 0);  // its folder is made
  struct stat st {};
  ASSERT_EQ(::stat((dir_ / "corvane").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  if (saved) ::setenv("XDG_DATA_HOME", keep.c_str(), 1);
  else ::unsetenv("XDG_DATA_HOME");
}

// Two processes adding at once: every chart arrives, none meets a locked collection.
TEST_F(ChartCollectionTest, TwoProcessesAddingAtOnceLoseNothing) {
  ChartCollection::Open(Path("charts.sqlite"));  // made before the writers start
  constexpr int kEach = 100;
  std::vector<pid_t> children;
  for (int process = 0; process < 2; ++process) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      int status = 0;
      try {
        for (int i = 0; i < kEach; ++i) {
          auto collection = ChartCollection::Open(Path("charts.sqlite"));  // as the command line does each time
          BirthData b = Named(process == 0 ? "ANN" : "BEN", i % 24);
          b.minute = i / 24;
          if (!collection->add(b).added) status = 2;
        }
      } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        status = 1;
      }
      ::_exit(status);
    }
    children.push_back(pid);
  }
  for (const pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  EXPECT_EQ(OpenNew()->count(), 2 * kEach);
}

TEST_F(ChartCollectionTest, ImportsAFolderCountsDuplicatesAndListsOtherFiles) {
  fs::create_directories(dir_ / "in" / "deeper");
  const auto save = [this](const std::string& name, const BirthData& b) {
    Chart chart;
    chart.birth = ChartBirthOf(b);
    chart.clock = ClockOf(b);
    std::ofstream(Path(name), std::ios::binary) << EncodeChartFile(chart);
  };
  save("in/ram.zdh", DelhiBirth());
  save("in/deeper/ram again.zdh", DelhiBirth());
  save("in/deeper/sita.zdh", Named("SITA"));
  std::ofstream(Path("in/notes.txt")) << "not a chart";
  std::ofstream(Path("in/broken.zdh")) << "three\nshort\nlines\n";
  auto collection = OpenNew();
  std::vector<std::size_t> seen;
  const ImportSummary summary = ImportChartFolder(*collection, Path("in"), [&](std::size_t done, std::size_t total) {
    seen.push_back(done);
    EXPECT_EQ(total, 5u);
    return true;
  });
  EXPECT_EQ(summary.added, 2u);
  EXPECT_EQ(summary.duplicates, 1u);
  ASSERT_EQ(summary.refused.size(), 2u);
  EXPECT_EQ(summary.refused[0].path, Path("in/broken.zdh"));
  EXPECT_NE(summary.refused[0].reason.find("lines instead of 17"), std::string::npos);
  EXPECT_EQ(summary.refused[1].path, Path("in/notes.txt"));
  EXPECT_EQ(seen, (std::vector<std::size_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(collection->count(), 2);
}

TEST_F(ChartCollectionTest, ACancelledImportAddsNothing) {
  fs::create_directories(dir_ / "in");
  for (int hour = 0; hour < 6; ++hour) {
    Chart chart;
    chart.birth = ChartBirthOf(Named("RAM", hour));
    chart.clock.zonePosition = 34;
    std::ofstream(Path("in/" + std::to_string(hour) + ".zdh"), std::ios::binary) << EncodeChartFile(chart);
  }
  auto collection = OpenNew();
  collection->add(Named("KEPT"));
  const ImportSummary summary =
      ImportChartFolder(*collection, Path("in"), [](std::size_t done, std::size_t) { return done < 4; });
  EXPECT_TRUE(summary.cancelled);
  EXPECT_EQ(summary.added, 0u);
  EXPECT_EQ(collection->count(), 1);
  EXPECT_THROW(ImportChartFolder(*collection, Path("missing")), CollectionError);
}

TEST_F(ChartCollectionTest, ExportsChartFilesAndABatch) {
  auto collection = OpenNew();
  BirthData quoted = Named("ANNE-MARIE");
  quoted.city = "Saint \"Quote\", Town";
  const std::int64_t a = collection->add(DelhiBirth()).id;
  const std::int64_t b = collection->add(quoted).id;
  const ExportResult files = ExportChartFiles(*collection, {a, b, a}, Path("out"));
  ASSERT_FALSE(files.failure) << *files.failure;
  EXPECT_EQ(files.written, (std::vector<std::string>{Path("out/RAM_1975-06-05.zdh"), Path("out/ANNE_MARIE_1975-06-05.zdh"),
                                                     Path("out/RAM_1975-06-05_2.zdh")}));
  EXPECT_EQ(Slurp(Path("out/RAM_1975-06-05.zdh")), *collection->chartFile(a));
  const ExportResult csv = ExportBatchCsv(*collection, {a, b}, Path("out/all.csv"));
  ASSERT_FALSE(csv.failure);
  EXPECT_EQ(Slurp(Path("out/all.csv")),
            "name,date,time,zone,dst,lon,lat,city,state,country,tz,place\r\n"
            "\"RAM\",\"1975-06-05\",\"07:05:00\",\"34\",\"0\",\"77:13E\",\"28:36N\",\"\",\"\",\"\",\"\",\"\"\r\n"
            "\"ANNE-MARIE\",\"1975-06-05\",\"07:05:00\",\"34\",\"0\",\"77:13E\",\"28:36N\",\"Saint \"\"Quote\"\", Town\","
            "\"\",\"\",\"\",\"\"\r\n");
}

}  // namespace
}  // namespace corvane

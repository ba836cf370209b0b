// The atomic file writer, the names of exported files and the chart box entries.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/chart_calculation.h"
#include "app/atomic_file.h"
#include "app/chart_texts.h"
#include "app/display_texts.h"
#include "app/export_names.h"
#include "tests/app/cli_runner.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::Slurp;
using testing::TempFolderTest;

class ExportFileTest : public TempFolderTest {
 protected:
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(ExportFileTest, WritesANewFileWithTheUsualPermissions) {
  const std::string path = Path("new.pdf");
  const std::string bytes("%PDF\0binary\xff", 12);
  ASSERT_EQ(WriteFileAtomically(path, bytes), std::nullopt);
  EXPECT_EQ(Slurp(path), bytes);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
  EXPECT_EQ(Names(), std::vector<std::string>{"new.pdf"});  // no temporary file left
}

TEST_F(ExportFileTest, ReplacesAFileAndKeepsItsPermissions) {
  const std::string path = Path("chart.svg");
  std::ofstream(path) << "an older and much longer content than the new one";
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(WriteFileAtomically(path, "new"), std::nullopt);
  EXPECT_EQ(Slurp(path), "new");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(WriteFileAtomically(path, ""), std::nullopt);  // an empty file is a file too
  EXPECT_EQ(Slurp(path), "");
}

// A folder that does not exist, a path that names a folder and a path below a plain file
// all fail with a reason, and leave the folder as it was.
TEST_F(ExportFileTest, AFailureGivesItsReasonAndLeavesEverythingAsItWas) {
  std::ofstream(Path("plain")) << "keep me";
  fs::create_directory(Path("folder"));
  const std::vector<std::string> before = Names();
  for (const std::string& path : {Path("missing/out.pdf"), Path("folder"), Path("folder/"), Path("plain/out.pdf")}) {
    const auto error = WriteFileAtomically(path, "bytes");
    ASSERT_TRUE(error.has_value()) << path;
    EXPECT_FALSE(error->describe().empty()) << path;
  }
  EXPECT_EQ(Names(), before);
  EXPECT_EQ(Slurp(Path("plain")), "keep me");
  EXPECT_TRUE(fs::is_empty(Path("folder")));
}

TEST(ExportNames, StemIsTheNameInSafeCharactersAndTheDate) {
  struct Case {
    const char* name;
    int year, month, day;
    const char* stem;
  };
  const Case cases[] = {
      {"ANJALI RAO", 1975, 6, 5, "ANJALI_RAO_1975-06-05"},
      {"  ram   kumar ", 2001, 12, 31, "RAM_KUMAR_2001-12-31"},
      {"O'NEIL/../etc", 1950, 1, 9, "ONEIL_ETC_1950-01-09"},
      // Accented letters lose their accents, as in the place search.
      {"Zo\xc3\xab M\xc3\xbcller", 1990, 3, 4, "ZOE_MULLER_1990-03-04"},
      {"jos\xc3\xa9", 1990, 3, 4, "JOSE_1990-03-04"},
      {"\xc5\x92uvre", 1990, 3, 4, "OEUVRE_1990-03-04"},
      {"\xc5\x81ucja \xc5\xbb" "ak", 1990, 3, 4, "LUCJA_ZAK_1990-03-04"},
      {"Anne-Marie", 1990, 3, 4, "ANNE_MARIE_1990-03-04"},
      // A long name is cut to 100 bytes; a blank at the cut is not kept.
      {"ABCDEFGHI ABCDEFGHI ABCDEFGHI ABCDEFGHI ABCDEFGHI ABCDEFGHI ABCDEFGHI ABCDEFGHI ABCDEFGHI ABCDEFGHI ABCDEFGHI",
       1990, 3, 4,
       "ABCDEFGHI_ABCDEFGHI_ABCDEFGHI_ABCDEFGHI_ABCDEFGHI_ABCDEFGHI_ABCDEFGHI_ABCDEFGHI_ABCDEFGHI_ABCDEFGHI_1990-03-04"},
      {"", 1901, 1, 1, "CHART_1901-01-01"},
      {"..", 2050, 7, 20, "CHART_2050-07-20"},
  };
  for (const Case& c : cases) {
    Chart chart;
    chart.birth.name = c.name;
    chart.birth.year = c.year;
    chart.birth.monthIndex = c.month - 1;
    chart.birth.day = c.day;
    EXPECT_EQ(ExportFileStem(chart), c.stem) << c.name;
  }
  Chart longName;
  longName.birth.name = std::string(300, 'a');
  longName.birth.year = 1975, longName.birth.monthIndex = 5, longName.birth.day = 5;
  EXPECT_EQ(ExportFileStem(longName), std::string(100, 'A') + "_1975-06-05");
}

// Berlin set its clocks back from 03:00 CEST to 02:00 CET on 31 October 2021, so 02:30:15
// happened twice: first at UTC+2 (CEST), then at UTC+1 (CET). The reading goes into the name.
TEST(ExportNames, ADoubledHourAddsTheReadingTaken) {
  struct Case {
    int offsetSeconds;
    DoubledHour fold;
    const char* zone;
    const char* stem;
    const char* clock;
  };
  const Case cases[] = {
      {3600, DoubledHour::kLater, "Europe/Berlin", "ZOE_MULLER_2021-10-31_CET", "02:30:15 CET"},
      {7200, DoubledHour::kEarlier, "Europe/Berlin", "ZOE_MULLER_2021-10-31_CEST", "02:30:15 CEST"},
      {3600, DoubledHour::kLater, "", "ZOE_MULLER_2021-10-31_LATER", "02:30:15 later"},  // an offset without a zone
      {3600, DoubledHour::kNone, "Europe/Berlin", "ZOE_MULLER_2021-10-31", "02:30:15"},
  };
  for (const Case& c : cases) {
    // The clock as the calculation resolves it from the birth's zone, offset and reading.
    BirthData birth;
    birth.name = "Zo\xc3\xab M\xc3\xbcller";
    birth.year = 2021, birth.monthIndex = 9, birth.day = 31;
    birth.hour = 2, birth.minute = 30, birth.second = 15;
    if (*c.zone) birth.extras.zoneId = c.zone;
    birth.extras.utcOffsetSeconds = c.offsetSeconds;
    birth.extras.fold = c.fold;
    Chart chart;
    chart.birth = ChartBirthOf(birth);
    chart.clock = ClockOf(birth);
    EXPECT_EQ(ExportFileStem(chart), c.stem) << c.stem;
    EXPECT_EQ(BirthClockReading(chart), c.clock) << c.stem;
  }
}

TEST_F(ExportFileTest, UniquePathCountsUpPastTakenNames) {
  EXPECT_EQ(UniqueFilePath(dir_.string(), "RAM_1975-06-05", ".pdf"), Path("RAM_1975-06-05.pdf"));
  std::ofstream(Path("RAM_1975-06-05.pdf")) << "x";
  EXPECT_EQ(UniqueFilePath(dir_.string(), "RAM_1975-06-05", ".pdf"), Path("RAM_1975-06-05_2.pdf"));
  std::ofstream(Path("RAM_1975-06-05_2.pdf")) << "x";
  EXPECT_EQ(UniqueFilePath(dir_.string(), "RAM_1975-06-05", ".pdf"), Path("RAM_1975-06-05_3.pdf"));
  EXPECT_EQ(UniqueFilePath(dir_.string(), "RAM_1975-06-05", ".svg"), Path("RAM_1975-06-05.svg"));
}

TEST(BoxEntries, LinesWithoutBlanksAndWithoutEmptyOnes) {
  struct Case {
    const char* text;
    std::vector<std::string_view> entries;
  };
  const Case cases[] = {
      {"", {}},
      {"\r\n", {}},
      {"\r\nSun\r\nMercury (R) \r\nKetu", {"Sun", "Mercury (R)", "Ketu"}},
      {"\r\n\r\nAL\r\n \r\n\r\nUL", {"AL", "UL"}},
      {"BL\nPpL\rGL", {"BL", "PpL", "GL"}},
  };
  for (const Case& c : cases) EXPECT_EQ(BoxEntries(c.text), c.entries) << c.text;
}

}  // namespace
}  // namespace corvane

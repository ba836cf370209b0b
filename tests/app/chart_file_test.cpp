#include "app/chart_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#include "app/text_encoding.h"
#include "tests/app/temp_folder.h"

namespace corvane {
namespace {

ChartState DelhiChart() {
  ChartState c;
  c.BirthName = "RAM KUMAR";
  c.BirthMonth = 6, c.BirthDay = 5, c.BirthYear = 1975, c.BirthHour = 7, c.BirthMinute = 5, c.BirthSecond = 42;
  c.ZonePosition = 34;
  c.LongitudeDegrees = 77, c.LongitudeMinutes = 13, c.LatitudeDegrees = 28, c.LatitudeMinutes = 36;
  c.IsEast = true, c.IsSouth = false, c.IsDaylightSaving = false;
  c.BirthCity = "New Delhi", c.BirthState = "Delhi", c.BirthCountry = "India";
  return c;
}

// Form values that differ from the Delhi chart in every field, to see what a file changes.
BirthData OtherForm() {
  return {.name = "OLD", .monthIndex = 2, .day = 9, .year = 2001, .hour = 22, .minute = 50, .second = 17,
          .city = "a", .state = "b", .country = "c", .zonePosition = 3, .daylightSaving = true, .lonDegrees = "1",
          .lonMinutes = "2", .east = false, .latDegrees = "3", .latMinutes = "4", .south = true};
}

// Every field of the form, comparable and printable as one value.
auto Fields(const BirthData& f) {
  return std::make_tuple(f.name, f.monthIndex, f.day, f.year, f.hour, f.minute, f.second, f.city, f.state, f.country,
                         f.zonePosition, f.daylightSaving, f.lonDegrees, f.lonMinutes, f.east, f.latDegrees,
                         f.latMinutes, f.south);
}

std::vector<std::string> SplitCrLf(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << "file does not end in CR LF";
  return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

// An older reader: shift back by 85 and drop every byte below 85.
std::string PlainDecode(std::string_view encoded) {
  std::string out;
  for (const char ch : encoded) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 85) out.push_back(static_cast<char>(c - 85));
  }
  return out;
}

using ChartFileOnDisk = testing::TempFolderTest;

TEST(ChartFieldCode, ShiftsEveryByteBy85AndBack) {
  EXPECT_EQ(EncodeField("12"), std::string("\x86\x87"));
  EXPECT_EQ(EncodeField(" "), "u");
  EXPECT_EQ(DecodeField("\x86\x87"), "12");
  EXPECT_EQ(DecodeField(std::string("\x86\x20\x87\x54", 4)), "12");  // bytes below 85 skipped
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  EXPECT_EQ(DecodeField(EncodeField(all)), all);
}

TEST(ChartFieldCode, HighCharactersUseTwoLowBytesThatNeverEndALine) {
  std::string plainRange;
  for (int c = 0; c < 171; ++c) plainRange.push_back(static_cast<char>(c));
  const std::string encodedPlain = EncodeField(plainRange);
  EXPECT_EQ(encodedPlain.size(), plainRange.size());
  EXPECT_EQ(PlainDecode(encodedPlain), plainRange);

  for (int c = 171; c < 256; ++c) {
    const std::string encoded = EncodeField(std::string(1, static_cast<char>(c)));
    ASSERT_EQ(encoded.size(), 2u) << c;
    for (const char b : encoded) {
      const auto u = static_cast<unsigned char>(b);
      EXPECT_LT(u, 85) << c;
      EXPECT_NE(u, '\r') << c;
      EXPECT_NE(u, '\n') << c;
    }
    EXPECT_EQ(PlainDecode(encoded), "") << c;
  }
  // Broken escapes are dropped like any other low byte, never misread.
  EXPECT_EQ(DecodeField(std::string("\x01", 1)), "");
  EXPECT_EQ(DecodeField(std::string("\x01\x10\x86", 3)), "1");
  EXPECT_EQ(DecodeField(std::string("\x02\x4B\x86", 3)), "1");
}

TEST(ChartFileName, ExtensionIsCaseSensitive) {
  EXPECT_TRUE(HasChartFileExtension("C:\\charts\\ram.zdh"));
  EXPECT_TRUE(HasChartFileExtension("zdh"));
  EXPECT_FALSE(HasChartFileExtension("ram.ZDH"));
  EXPECT_FALSE(HasChartFileExtension("ram.Zdh"));
  EXPECT_FALSE(HasChartFileExtension("ram.zdh "));
  EXPECT_FALSE(HasChartFileExtension("dh"));
  EXPECT_EQ(kCheckTheFileMessage, "Please Check The File.");
}

TEST(ChartFileLayout, SeventeenScrambledLinesWithNumbersAndFlagsAsText) {
  ChartState chart = DelhiChart();
  chart.BirthName = "  RAM KUMAR   ";
  const auto lines = SplitCrLf(EncodeChartFile(chart));
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0], EncodeField("RAM KUMAR"));
  EXPECT_EQ(lines[1], std::string("\x8B"));      // "6"
  EXPECT_EQ(lines[6], std::string("\x88\x89"));  // "34"
  const char* expected[] = {"RAM KUMAR", "6",  "5",    "1975",  "7",     "5",         "34",    "77",   "13",
                            "28",        "36", "True", "False", "False", "New Delhi", "Delhi", "India"};
  for (std::size_t i = 0; i < 17; ++i) EXPECT_EQ(DecodeField(lines[i]), expected[i]) << "line " << i + 1;
}

TEST(ChartFileOpen, SavedChartReopensAndDamagedLinesChangeNothing) {
  BirthData delhi = {.name = "RAM KUMAR", .monthIndex = 5, .day = 5, .year = 1975, .hour = 7, .minute = 5,
                     .second = 17 /* not stored: stays as it was */, .city = "New Delhi", .state = "Delhi",
                     .country = "India", .zonePosition = 34, .daylightSaving = false, .lonDegrees = "77",
                     .lonMinutes = "13", .east = true, .latDegrees = "28", .latMinutes = "36", .south = false};
  const BirthData before = OtherForm();
  const auto lines = SplitCrLf(EncodeChartFile(DelhiChart()));
  EXPECT_EQ(Fields(ApplyChartFile(JoinCrLf(lines), before)), Fields(delhi));

  // Five lines only: name to hour applied, everything after kept.
  BirthData expected = before;
  expected.name = "RAM KUMAR", expected.monthIndex = 5, expected.day = 5, expected.year = 1975, expected.hour = 7;
  EXPECT_EQ(Fields(ApplyChartFile(JoinCrLf({lines.begin(), lines.begin() + 5}), before)), Fields(expected));

  // Unreadable lines keep their fields; the readable ones after them still apply.
  auto damaged = lines;
  damaged[1] = "";                   // empty month
  damaged[2] = EncodeField("32");    // a day no list holds
  damaged[3] = EncodeField("1900");  // a year outside the list
  damaged[4] = EncodeField("07");    // no hour item has a leading zero
  damaged[6] = EncodeField("71");    // one past the last zone
  damaged[7] = EncodeField("");      // empty longitude degrees
  damaged[8] = EncodeField("1x");    // not digits
  damaged[11] = EncodeField("Maybe");
  damaged[13] = EncodeField("");
  expected = delhi;
  expected.monthIndex = before.monthIndex, expected.day = before.day, expected.year = before.year;
  expected.hour = before.hour, expected.zonePosition = before.zonePosition, expected.lonDegrees = before.lonDegrees;
  expected.lonMinutes = before.lonMinutes, expected.east = before.east, expected.daylightSaving = before.daylightSaving;
  EXPECT_EQ(Fields(ApplyChartFile(JoinCrLf(damaged), before)), Fields(expected));

  // Lines beyond the seventeenth are ignored; LF-only line ends are read too; nothing changes nothing.
  EXPECT_EQ(Fields(ApplyChartFile(JoinCrLf(lines) + EncodeField("SURPLUS") + "\r\n", before)), Fields(delhi));
  std::string lfOnly;
  for (const auto& l : lines) lfOnly += l + "\n";
  EXPECT_EQ(Fields(ApplyChartFile(lfOnly, before)), Fields(delhi));
  EXPECT_EQ(Fields(ApplyChartFile("", before)), Fields(before));
}

TEST(ChartFileText, AccentedPlacesRoundTripAndOlderReadersLoseOnlyThem) {
  ChartState chart = DelhiChart();
  chart.BirthName = "JOS\xC3\x89";  // JOSÉ
  chart.BirthCity = "S\xC3\xA3o Paulo";
  chart.BirthState = "Z\xC3\xBCrich";
  chart.BirthCountry = "Brasil \xE2\x82\xAC";  // euro sign lives below 171 in Windows-1252
  ASSERT_TRUE(UnstorableChartCharacters(chart).empty());
  const std::string file = EncodeChartFile(chart);
  EXPECT_EQ(file.find_first_of(std::string("\r\n")), file.find("\r\n"));
  const BirthData form = ApplyChartFile(file, OtherForm());
  EXPECT_EQ(std::tie(form.name, form.city, form.state, form.country),
            std::tie(chart.BirthName, chart.BirthCity, chart.BirthState, chart.BirthCountry));

  const auto lines = SplitCrLf(file);
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(Utf8FromWindows1252(PlainDecode(lines[14])), "So Paulo");
  EXPECT_EQ(Utf8FromWindows1252(PlainDecode(lines[15])), "Zrich");
  EXPECT_EQ(Utf8FromWindows1252(PlainDecode(lines[16])), "Brasil \xE2\x82\xAC");
  EXPECT_EQ(PlainDecode(lines[1]), "6");
  EXPECT_EQ(PlainDecode(lines[11]), "True");
}

TEST(ChartFileText, CharactersOutsideTheCodePageAreListedOnce) {
  ChartState chart = DelhiChart();
  chart.BirthCity = "\xE6\x9D\xB1\xE4\xBA\xAC \xE6\x9D\xB1";  // 東京 東
  chart.BirthCountry = "\xCE\xA9";                           // Ω
  EXPECT_EQ(UnstorableChartCharacters(chart), (std::vector<std::string>{"\xE6\x9D\xB1", "\xE4\xBA\xAC", "\xCE\xA9"}));
  chart.BirthCity = "ok";
  chart.BirthCountry = "bad \xFF byte";
  EXPECT_EQ(UnstorableChartCharacters(chart), std::vector<std::string>{"\xEF\xBF\xBD"});
}

// Reading stops after the seventeenth line.
TEST_F(ChartFileOnDisk, SaveWritesTheFileAndReadGivesItsFirstLines) {
  const std::string path = Path("ram.zdh");
  ASSERT_EQ(SaveChartFile(path, DelhiChart()), std::nullopt);
  EXPECT_EQ(ReadChartFile(path), EncodeChartFile(DelhiChart()));
  EXPECT_EQ(ReadChartFile(Path("missing.zdh")), std::nullopt);
  {
    std::ofstream out(path, std::ios::app | std::ios::binary);
    for (int i = 0; i < 1000; ++i) out << "tail line\r\n";
  }
  EXPECT_EQ(ReadChartFile(path), EncodeChartFile(DelhiChart()));
}

TEST_F(ChartFileOnDisk, SaveRefusesUnstorableTextsAndReportsUncreatableFiles) {
  ChartState chart = DelhiChart();
  chart.BirthCity = "\xE6\x9D\xB1\xE4\xBA\xAC";
  const std::string path = Path("tokyo.zdh");
  const auto refusal = SaveChartFile(path, chart);
  ASSERT_TRUE(refusal.has_value());
  EXPECT_NE(refusal->find("\xE6\x9D\xB1"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(path));

  const auto failure = SaveChartFile(Path("no/such/folder/ram.zdh"), DelhiChart());
  ASSERT_TRUE(failure.has_value());
  EXPECT_NE(failure->find("could not be created"), std::string::npos);
}

TEST(TextEncoding, Windows1252MapsBothWays) {
  EXPECT_EQ(Utf8FromWindows1252("S\xE3o"), "S\xC3\xA3o");
  EXPECT_EQ(Utf8FromWindows1252("\x80\x9F"), "\xE2\x82\xAC\xC5\xB8");
  EXPECT_EQ(Windows1252FromUtf8("\xE2\x82\xAC\xC5\xB8 \xC3\xBF"), "\x80\x9F \xFF");
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  EXPECT_EQ(Windows1252FromUtf8(Utf8FromWindows1252(all)), all);
  std::vector<std::string> unstorable;
  EXPECT_EQ(Windows1252FromUtf8("a\xC2\x80" "b\xF0\x9F\x98\x80" "c\xC0\xAF", &unstorable), "abc");
  // U+0080 has no byte (0x80 is the euro sign); the emoji is outside; the overlong form is invalid.
  EXPECT_EQ(unstorable, (std::vector<std::string>{"\xC2\x80", "\xF0\x9F\x98\x80", "\xEF\xBF\xBD"}));
}

}  // namespace
}  // namespace corvane

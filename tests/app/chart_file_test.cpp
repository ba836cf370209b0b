#include "app/chart_calculation.h"
#include "app/chart_file.h"

#include <gtest/gtest.h>
#include <cstring>
#include <sys/socket.h>
#include <sys/sysmacros.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>
#include <vector>

#include "app/text_encoding.h"
#include "tests/app/temp_folder.h"

namespace corvane {
namespace {

Chart DelhiChart() {
  Chart c;
  c.birth.name = "RAM KUMAR";
  c.birth.monthIndex = 5, c.birth.day = 5, c.birth.year = 1975, c.birth.hour = 7, c.birth.minute = 5, c.birth.second = 42;
  c.clock.zonePosition = 34;
  c.birth.longitude = {77, 13, true}, c.birth.latitude = {28, 36, true}, c.clock.daylightSaving = false;
  c.birth.city = "New Delhi", c.birth.state = "Delhi", c.birth.country = "India";
  return c;
}

// The chart with the clock of a zone of the database (or an exact offset without one).
Chart WithClock(Chart c, std::optional<std::string> zoneId, int utcOffsetSeconds) {
  c.clock.source = zoneId ? ClockSource::kZoneDatabase : ClockSource::kExactOffset;
  c.clock.zoneId = zoneId.value_or("");
  c.clock.utcOffsetSeconds = utcOffsetSeconds;
  return c;
}

// Birth data in the order of a chart file's lines, the second after the minute.
BirthData Birth(std::string name, int month, int day, int year, int hour, int minute, int second, int zone,
                std::string lonDegrees, std::string lonMinutes, std::string latDegrees, std::string latMinutes,
                bool east, bool south, bool daylightSaving, std::string city, std::string state, std::string country) {
  BirthData b;
  b.name = std::move(name), b.monthIndex = month - 1, b.day = day, b.year = year, b.hour = hour, b.minute = minute;
  b.second = second, b.zonePosition = zone, b.lonDegrees = std::move(lonDegrees), b.lonMinutes = std::move(lonMinutes);
  b.latDegrees = std::move(latDegrees), b.latMinutes = std::move(latMinutes), b.east = east, b.south = south;
  b.daylightSaving = daylightSaving, b.city = std::move(city), b.state = std::move(state), b.country = std::move(country);
  return b;
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

TEST(ChartFileLayout, SeventeenScrambledLinesThenTheAddition) {
  Chart chart = DelhiChart();
  chart.birth.name = "  RAM KUMAR   ";
  const auto lines = SplitCrLf(EncodeChartFile(WithClock(chart, "Asia/Kolkata", 19800)));
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines[0], EncodeField("RAM KUMAR"));
  EXPECT_EQ(lines[1], std::string("\x8B"));      // "6"
  EXPECT_EQ(lines[6], std::string("\x88\x89"));  // "34"
  const char* expected[] = {"RAM KUMAR", "6",     "5",     "1975",      "7",     "5",     "34",
                            "77",        "13",    "28",    "36",        "True",  "False", "False",
                            "New Delhi", "Delhi", "India", "corvane-extras=1", "second=42", "tz=Asia/Kolkata",
                            "utc_offset_seconds=19800"};
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(DecodeField(lines[i]), expected[i]) << "line " << i + 1;
  // Without extras the addition holds the second alone.
  EXPECT_EQ(SplitCrLf(EncodeChartFile(chart)).size(), 19u);
}

TEST(ChartFileOpen, SavedChartReopensWithEveryFieldAndItsSecond) {
  const BirthData delhi =
      Birth("RAM KUMAR", 6, 5, 1975, 7, 5, 42, 34, "77", "13", "28", "36", true, false, false, "New Delhi", "Delhi", "India");
  const auto parsed = ParseChartFile(EncodeChartFile(DelhiChart()));
  ASSERT_TRUE(parsed.ok()) << parsed.refusal().reason;
  EXPECT_EQ(Fields(parsed.birth()), Fields(delhi));
  EXPECT_EQ(parsed.birth().extras, BirthExtras{});

  // The extras round-trip, a westerly offset included.
  for (const BirthExtras& extras : {BirthExtras{"America/Argentina/Buenos_Aires", -10800},
                                    BirthExtras{std::nullopt, 64800}}) {
    const auto again = ParseChartFile(EncodeChartFile(WithClock(DelhiChart(), extras.zoneId, *extras.utcOffsetSeconds)));
    ASSERT_TRUE(again.ok()) << again.refusal().reason;
    EXPECT_EQ(again.birth().extras, extras);
    EXPECT_EQ(Fields(again.birth()), Fields(delhi));
  }

  // The 17 lines alone are the older layout: second 0. LF-only or CR-only line ends and a
  // missing last line end are read too; keys of later versions are passed over.
  const auto lines = SplitCrLf(EncodeChartFile(DelhiChart()));
  const std::vector<std::string> classic(lines.begin(), lines.begin() + 17);
  BirthData old = delhi;
  old.second = 0;
  std::string lfOnly, crOnly;
  for (const auto& l : classic) lfOnly += l + "\n", crOnly += l + "\r";
  std::vector<std::string> later = lines;
  later.insert(later.begin() + 18, EncodeField("colour=\x01 anything \xFF"));
  later.push_back(EncodeField("zz_9="));
  for (const std::string& file : {JoinCrLf(classic), lfOnly, crOnly, JoinCrLf(classic).substr(0, JoinCrLf(classic).size() - 2)}) {
    const auto parsed = ParseChartFile(file);
    ASSERT_TRUE(parsed.ok()) << parsed.refusal().reason;
    EXPECT_EQ(Fields(parsed.birth()), Fields(old));
  }
  const auto laterParsed = ParseChartFile(JoinCrLf(later));
  ASSERT_TRUE(laterParsed.ok()) << laterParsed.refusal().reason;
  EXPECT_EQ(Fields(laterParsed.birth()), Fields(delhi));
}

// What is wrong with a file, and which line the refusal names (0: the file as a whole).
TEST(ChartFileOpen, AnythingButAChartIsRefusedNamingTheLine) {
  const auto lines = SplitCrLf(EncodeChartFile(DelhiChart()));
  auto with = [&](std::size_t index, const std::string& encoded) {
    auto changed = lines;
    changed[index] = encoded;
    return JoinCrLf(changed);
  };
  auto withAdded = [&](std::initializer_list<std::string> plain) {
    auto changed = lines;
    for (const auto& p : plain) changed.push_back(EncodeField(p));
    return JoinCrLf(changed);
  };
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 37 + i / 256) & 0xFF));
  const std::string valid = JoinCrLf(lines);

  struct Case { std::string what, bytes; int line; };
  const Case cases[] = {
      {"empty file", "", 0},
      {"one byte", "x", 0},
      {"sixteen lines", JoinCrLf({lines.begin(), lines.begin() + 16}), 0},
      {"binary data", binary, 1},
      {"huge file", valid + std::string(kMaxChartFileBytes, 'a'), 0},
      {"control character in the name", with(0, EncodeField("RAM\tKUMAR")), 1},
      {"empty month", with(1, ""), 2},
      {"month 13", with(1, EncodeField("13")), 2},
      {"day 32", with(2, EncodeField("32")), 3},
      {"year 1799", with(3, EncodeField("1799")), 4},  // before any engine's years
      {"year 2400", with(3, EncodeField("2400")), 4},
      {"hour with a leading zero", with(4, EncodeField("07")), 5},
      {"minute 60", with(5, EncodeField("60")), 6},
      {"zone 71", with(6, EncodeField("71")), 7},
      {"empty longitude degrees", with(7, EncodeField("")), 8},
      {"longitude minutes not digits", with(8, EncodeField("1x")), 9},
      {"latitude degrees wider than the box", with(9, EncodeField("128")), 10},
      {"flag Maybe", with(11, EncodeField("Maybe")), 12},
      {"flag in lower case", with(12, EncodeField("true")), 13},
      {"empty daylight-saving flag", with(13, EncodeField("")), 14},
      {"stray low byte in the city", with(14, std::string("\x10", 1) + EncodeField("Delhi")), 15},
      {"broken escape in the state", with(15, std::string("\x01\x10", 2)), 16},
      {"surplus line without a marker", JoinCrLf({lines.begin(), lines.begin() + 17}) + EncodeField("SURPLUS") + "\r\n", 18},
      {"marker of a later layout", with(17, EncodeField("corvane-extras=2")), 18},
      {"second 60", with(18, EncodeField("second=60")), 19},
      {"second with a leading zero", with(18, EncodeField("second=07")), 19},
      {"entry without =", with(18, EncodeField("second")), 19},
      {"key in capitals", with(18, EncodeField("Second=5")), 19},
      {"empty addition line", with(18, ""), 19},
      {"second given twice", withAdded({"second=1"}), 20},
      {"zone name with a blank", withAdded({"tz=Asia/Kolkata rm"}), 20},
      {"zone name with a control byte", withAdded({"tz=Asia/\x01Kolkata"}), 20},
      {"offset beyond 18 hours", withAdded({"utc_offset_seconds=64801"}), 20},
      {"offset with a plus", withAdded({"utc_offset_seconds=+3600"}), 20},
      {"offset not a number", withAdded({"utc_offset_seconds=1e3"}), 20},
  };
  for (const Case& c : cases) {
    const auto parsed = ParseChartFile(c.bytes);
    ASSERT_FALSE(parsed.ok()) << c.what;
    EXPECT_EQ(parsed.refusal().line, c.line) << c.what << ": " << parsed.refusal().reason;
  }
}

// A zone id and a doubled-hour reading without an offset (a file written by hand) do not set
// the clock, which stays on the zone row; saving the chart again keeps them, so the file
// opens to the same birth.
TEST(ChartFileOpen, AZoneIdWithoutAnOffsetIsKeptWhenSavedAgain) {
  std::vector<std::string> lines;
  for (const std::string& line : SplitCrLf(EncodeChartFile(DelhiChart())))
    if (PlainDecode(line).rfind("utc_offset_seconds=", 0) != 0 && PlainDecode(line).rfind("tz=", 0) != 0)
      lines.push_back(line);
  lines.push_back(EncodeField("tz=Asia/Kolkata"));
  lines.push_back(EncodeField("fold=later"));
  const auto first = ParseChartFile(JoinCrLf(lines));
  ASSERT_TRUE(first.ok()) << first.refusal().reason;
  ASSERT_EQ(first.birth().extras.zoneId, std::optional<std::string>("Asia/Kolkata"));
  ASSERT_FALSE(first.birth().extras.utcOffsetSeconds.has_value());

  Chart reopened = DelhiChart();  // the clock on the zone row, as the calculation gives it
  reopened.birth = ChartBirthOf(first.birth());
  reopened.clock = ClockOf(first.birth());
  const std::string saved = EncodeChartFile(reopened);
  const auto again = ParseChartFile(saved);
  ASSERT_TRUE(again.ok()) << again.refusal().reason;
  EXPECT_EQ(Fields(again.birth()), Fields(first.birth()));
  EXPECT_EQ(again.birth().extras, first.birth().extras);
  EXPECT_EQ(again.birth().extras.fold, DoubledHour::kLater);
  EXPECT_EQ(EncodeChartFile(reopened), saved);
}

// The saver stores the four texts without their outer blanks; the reader takes a text with
// blanks around it (a file written by hand) as the saver would have stored it, so that the
// birth it opens saves back to the same file.
TEST(ChartFileOpen, TextsReadBackAsTheSaverStoresThem) {
  auto lines = SplitCrLf(EncodeChartFile(DelhiChart()));
  lines[0] = EncodeField("  RAM KUMAR ");
  lines[14] = EncodeField("New Delhi  ");
  lines[16] = EncodeField(" India");
  const auto parsed = ParseChartFile(JoinCrLf(lines));
  ASSERT_TRUE(parsed.ok()) << parsed.refusal().reason;
  EXPECT_EQ(parsed.birth().name, "RAM KUMAR");
  EXPECT_EQ(parsed.birth().city, "New Delhi");
  EXPECT_EQ(parsed.birth().country, "India");
  Chart reopened = DelhiChart();
  reopened.birth = ChartBirthOf(parsed.birth());
  EXPECT_EQ(EncodeChartFile(reopened), EncodeChartFile(DelhiChart()));
}

// Files written by the program before the addition existed (17 lines, no seconds) open with
// second 0; the São Paulo file holds escaped characters of that layout.
TEST(ChartFileOpen, OlderFilesStillOpen) {
  struct Fixture { const char* file; BirthData birth; };
  const Fixture fixtures[] = {
      {"delhi_1975.zdh", Birth("RAM KUMAR", 6, 5, 1975, 7, 5, 0, 34, "77", "13", "28", "36", true, false, false,
                               "New Delhi", "Delhi", "India")},
      {"sao_paulo_1988.zdh", Birth("JOSE MARIA", 1, 14, 1988, 23, 12, 0, 14, "46", "38", "23", "33", false, true, true,
                                   "S\xC3\xA3o Paulo", "S\xC3\xA3o Paulo", "Brasil")},
      {"berlin_2019.zdh", Birth("ANNA", 10, 27, 2019, 2, 30, 0, 19, "13", "24", "52", "31", true, false, false, "Berlin",
                                "", "Deutschland")},
  };
  for (const Fixture& f : fixtures) {
    std::string why;
    const auto bytes = ReadChartFile(std::string(CORVANE_SOURCE_DIR) + "/tests/app/data/" + f.file, why);
    ASSERT_TRUE(bytes.has_value()) << f.file;
    EXPECT_EQ(SplitCrLf(*bytes).size(), 17u) << f.file;
    const auto parsed = ParseChartFile(*bytes);
    ASSERT_TRUE(parsed.ok()) << f.file << ": line " << parsed.refusal().line << " " << parsed.refusal().reason;
    EXPECT_EQ(Fields(parsed.birth()), Fields(f.birth)) << f.file;
  }
}

TEST(ChartFileText, AccentedPlacesRoundTripAndOlderReadersLoseOnlyThem) {
  Chart chart = DelhiChart();
  chart.birth.name = "JOS\xC3\x89";  // JOSÉ
  chart.birth.city = "S\xC3\xA3o Paulo";
  chart.birth.state = "Z\xC3\xBCrich";
  chart.birth.country = "Brasil \xE2\x82\xAC";  // euro sign lives below 171 in Windows-1252
  ASSERT_TRUE(UnstorableChartCharacters(chart).empty());
  const std::string file = EncodeChartFile(chart);
  EXPECT_EQ(file.find_first_of(std::string("\r\n")), file.find("\r\n"));
  const auto parsed = ParseChartFile(file);
  ASSERT_TRUE(parsed.ok()) << parsed.refusal().reason;
  const BirthData& form = parsed.birth();
  EXPECT_EQ(std::tie(form.name, form.city, form.state, form.country),
            std::tie(chart.birth.name, chart.birth.city, chart.birth.state, chart.birth.country));

  const auto lines = SplitCrLf(file);
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(Utf8FromWindows1252(PlainDecode(lines[14])), "So Paulo");
  EXPECT_EQ(Utf8FromWindows1252(PlainDecode(lines[15])), "Zrich");
  EXPECT_EQ(Utf8FromWindows1252(PlainDecode(lines[16])), "Brasil \xE2\x82\xAC");
  EXPECT_EQ(PlainDecode(lines[1]), "6");
  EXPECT_EQ(PlainDecode(lines[11]), "True");
}

TEST(ChartFileText, CharactersOutsideTheCodePageAreListedOnce) {
  Chart chart = DelhiChart();
  chart.birth.city = "\xE6\x9D\xB1\xE4\xBA\xAC \xE6\x9D\xB1";  // 東京 東
  chart.birth.country = "\xCE\xA9";                           // Ω
  EXPECT_EQ(UnstorableChartCharacters(chart), (std::vector<std::string>{"\xE6\x9D\xB1", "\xE4\xBA\xAC", "\xCE\xA9"}));
  chart.birth.city = "ok";
  chart.birth.country = "bad \xFF byte";
  EXPECT_EQ(UnstorableChartCharacters(chart), std::vector<std::string>{"\xEF\xBF\xBD"});
}

// Reading stops one byte past the largest chart file, so a huge file is refused without
// being read whole.
TEST_F(ChartFileOnDisk, SaveWritesTheFileAndReadStopsPastTheLargestChart) {
  const std::string path = Path("ram.zdh");
  ASSERT_EQ(SaveChartFile(path, DelhiChart()), std::nullopt);
  std::string why;
  EXPECT_EQ(ReadChartFile(path, why), EncodeChartFile(DelhiChart()));
  EXPECT_EQ(ReadChartFile(Path("missing.zdh"), why), std::nullopt);
  EXPECT_EQ(why, std::strerror(ENOENT));
  {
    std::ofstream out(path, std::ios::app | std::ios::binary);
    for (int i = 0; i < 100000; ++i) out << "tail line\r\n";
  }
  const auto bytes = ReadChartFile(path, why);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(bytes->size(), kMaxChartFileBytes + 1);
  EXPECT_EQ(ParseChartFile(*bytes).refusal().line, 0);
}

// Only a regular file is read as a chart: a FIFO with no writer, a folder or a device is
// refused at once instead of waiting for ever.
TEST_F(ChartFileOnDisk, OnlyARegularFileIsRead) {
  ASSERT_EQ(::mkfifo(Path("pipe.zdh").c_str(), 0600), 0);
  std::filesystem::create_directory(Path("folder.zdh"));
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = Path("s.zdh");
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, socketPath.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  struct Case { std::string path, why; };
  const Case cases[] = {
      {Path("pipe.zdh"), "it is a FIFO, not a regular file"},
      {Path("folder.zdh"), "it is a folder, not a regular file"},
      {Path("s.zdh"), "it is a socket, not a regular file"},
  };
  std::vector<Case> all(std::begin(cases), std::end(cases));
  // A device (the one /dev/null is) can be made in the test's folder only by root.
  if (::geteuid() == 0 && ::mknod(Path("device.zdh").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0)
    all.push_back({Path("device.zdh"), "it is a character device, not a regular file"});
  for (const Case& c : all) {
    std::string why;
    EXPECT_EQ(ReadChartFile(c.path, why), std::nullopt) << c.path;
    EXPECT_EQ(why, c.why) << c.path;
  }
  ::close(sock);
}

TEST_F(ChartFileOnDisk, SaveRefusesUnstorableTextsAndExtrasAndReportsUncreatableFiles) {
  Chart chart = DelhiChart();
  chart.birth.city = "\xE6\x9D\xB1\xE4\xBA\xAC";
  const std::string path = Path("tokyo.zdh");
  const auto refusal = SaveChartFile(path, chart);
  ASSERT_TRUE(refusal.has_value());
  EXPECT_NE(refusal->find("\xE6\x9D\xB1"), std::string::npos);
  for (const BirthExtras& bad : {BirthExtras{"Asia/Kolkata\r\nsecond=1", std::nullopt}, BirthExtras{"", std::nullopt},
                                 BirthExtras{std::nullopt, -64801}}) {
    EXPECT_TRUE(UnstorableExtras(bad).has_value());
  }
  for (const Chart& bad : {WithClock(DelhiChart(), "Asia/Kolkata\r\nsecond=1", 19800),
                           WithClock(DelhiChart(), "Asia/Kolkata?", 19800), WithClock(DelhiChart(), std::nullopt, -64801)})
    EXPECT_TRUE(SaveChartFile(path, bad).has_value());
  EXPECT_FALSE(std::filesystem::exists(path));

  const auto failure = SaveChartFile(Path("no/such/folder/ram.zdh"), DelhiChart());
  ASSERT_TRUE(failure.has_value());
  EXPECT_NE(failure->find("could not be created"), std::string::npos);
  EXPECT_NE(failure->find("unchanged"), std::string::npos);
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

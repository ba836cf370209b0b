#include "app/place_index.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/app/temp_folder.h"

namespace corvane {
namespace {

// A small place file in the real file's format: name, ASCII name, alternates, region,
// country, latitude, longitude, population, zone; '"' repeats the line above.
constexpr const char* kFixture =
    "# test places\n"
    "Munich\t\tMünchen|Monaco di Baviera|Minga\tBavaria\tGermany\t48.13743\t11.57549\t1260391\tEurope/Berlin\n"
    "Münchenstein\tMunchenstein\t\tBasel-Landschaft\tSwitzerland\t47.51848\t7.60966\t11644\tEurope/Zurich\n"
    "Springfield\t\t\tMissouri\tUnited States\t37.21533\t-93.29824\t166810\tAmerica/Chicago\n"
    "Springfield\t\t\tIllinois\t\"\t39.80172\t-89.64371\t116565\t\"\n"
    "Springfield Gardens\t\t\tNew York\t\"\t40.66312\t-73.76221\t2000\tAmerica/New_York\n"
    "West Springfield\t\t\tMassachusetts\t\"\t42.10704\t-72.62037\t9000000\t\"\n"
    "Sprague\t\tSpringfield Town|Springfield\tWashington\t\"\t47.29932\t-117.97613\t446\tAmerica/Los_Angeles\n"
    "Springdale\t\tSpringfieldia\tArkansas\t\"\t36.18674\t-94.12881\t87000\tAmerica/Chicago\n"
    "Springfield\t\t\tOregon\t\"\t44.04624\t-123.02203\t60870\tAmerica/Los_Angeles\n"
    "Łódź\tLodz\t\tŁódź Voivodeship\tPoland\t51.75\t19.46667\t768755\tEurope/Warsaw\n";

void WriteGzip(const std::string& path, std::string_view text) {
  gzFile f = gzopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(gzwrite(f, text.data(), static_cast<unsigned>(text.size())), static_cast<int>(text.size()));
  gzclose(f);
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Describe(const std::vector<PlaceResult>& results) {
  std::vector<std::string> out;
  for (const PlaceResult& r : results) out.push_back(std::string(r.name) + ", " + std::string(r.region));
  return out;
}

class PlaceIndexFixture : public testing::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    WriteGzip(Path("places.tsv.gz"), kFixture);
    const PlaceLoadStatus status = index_.load(Path("places.tsv.gz"));
    ASSERT_TRUE(status.ok) << status.message;
  }
  PlaceIndex index_;
};

TEST_F(PlaceIndexFixture, ReadsEveryColumn) {
  ASSERT_EQ(index_.size(), 10u);
  const PlaceResult p = index_.place(3);  // the Illinois line repeats country and zone
  EXPECT_EQ(p.name, "Springfield");
  EXPECT_EQ(p.asciiName, "Springfield");
  EXPECT_EQ(p.region, "Illinois");
  EXPECT_EQ(p.country, "United States");
  EXPECT_EQ(p.zoneId, "America/Chicago");
  EXPECT_DOUBLE_EQ(p.latitude, 39.80172);
  EXPECT_DOUBLE_EQ(p.longitude, -89.64371);
  EXPECT_EQ(p.population, 116565u);
  const PlaceResult lodz = index_.place(9);
  EXPECT_EQ(lodz.name, "Łódź");
  EXPECT_EQ(lodz.asciiName, "Lodz");
  EXPECT_EQ(lodz.region, "Łódź Voivodeship");
}

TEST_F(PlaceIndexFixture, AccentsAndCaseDoNotMatter) {
  for (const char* query : {"munchen", "Munich", "München", "MÜNCHEN", "  münchen ", "minga", "monaco di b"}) {
    const auto results = index_.search(query, 5);
    ASSERT_FALSE(results.empty()) << query;
    EXPECT_EQ(results[0].name, "Munich") << query;
    EXPECT_EQ(results[0].region, "Bavaria") << query;
    EXPECT_EQ(results[0].country, "Germany") << query;
  }
  EXPECT_EQ(index_.search("munchen", 5)[0].matchedName, "München");
  EXPECT_EQ(index_.search("lodz", 1)[0].name, "Łódź");
  EXPECT_EQ(index_.search("ŁÓDŹ", 1)[0].name, "Łódź");
}

// The match kind comes first, population second: the most populous place, matched only on a
// later word, still comes last.
TEST_F(PlaceIndexFixture, OrderedByMatchThenPopulation) {
  const auto results = index_.search("springfield", 20);
  const std::vector<std::string> expected = {
      "Springfield, Missouri",          // exact name, 166810
      "Springfield, Illinois",          // exact name, 116565
      "Springfield, Oregon",            // exact name, 60870
      "Sprague, Washington",            // exact alternate
      "Springfield Gardens, New York",  // name prefix
      "Springdale, Arkansas",           // alternate prefix
      "West Springfield, Massachusetts",  // later word, 9000000
  };
  EXPECT_EQ(Describe(results), expected);
  const PlaceMatch kinds[] = {PlaceMatch::ExactName,      PlaceMatch::ExactName,       PlaceMatch::ExactName,
                              PlaceMatch::ExactAlternate, PlaceMatch::NamePrefix,      PlaceMatch::AlternatePrefix,
                              PlaceMatch::WordPrefix};
  for (std::size_t i = 0; i < results.size(); ++i) EXPECT_EQ(results[i].match, kinds[i]) << i;
  // Sprague matches twice ("Springfield Town" and "Springfield") and appears once, as its best.
  EXPECT_EQ(results[3].matchedName, "Springfield");
}

TEST_F(PlaceIndexFixture, LimitsAndQualifiers) {
  EXPECT_EQ(Describe(index_.search("springfield", 2)),
            (std::vector<std::string>{"Springfield, Missouri", "Springfield, Illinois"}));
  EXPECT_TRUE(index_.search("springfield", 0).empty());
  EXPECT_EQ(Describe(index_.search("springfield, il", 10)), (std::vector<std::string>{"Springfield, Illinois"}));
  EXPECT_EQ(Describe(index_.search("spring, new york", 10)), (std::vector<std::string>{"Springfield Gardens, New York"}));
  EXPECT_EQ(index_.search("springfield, united", 20).size(), 7u);  // a word of the country
  EXPECT_TRUE(index_.search("springfield, germany", 10).empty());
  EXPECT_EQ(Describe(index_.search("gardens", 10)), (std::vector<std::string>{"Springfield Gardens, New York"}));
  for (const char* nothing : {"springfieldz", "zz", "", "  ", "-.,", ", bavaria"}) {
    EXPECT_TRUE(index_.search(nothing, 10).empty()) << nothing;
  }
}

TEST_F(PlaceIndexFixture, MovingHandsOverThePlaces) {
  PlaceIndex moved = std::move(index_);
  EXPECT_EQ(moved.search("minga", 1)[0].name, "Munich");
  EXPECT_EQ(index_.size(), 0u);  // NOLINT(bugprone-use-after-move): a moved-from index is empty
  EXPECT_TRUE(index_.search("minga").empty());
}

TEST_F(PlaceIndexFixture, BadFilesLeaveTheIndexEmpty) {
  std::string valid;
  {
    std::ifstream in(Path("places.tsv.gz"), std::ios::binary);
    valid.assign(std::istreambuf_iterator<char>(in), {});
  }
  std::string corrupt = valid;
  for (std::size_t i = 20; i < corrupt.size() - 8; i += 7) corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A);
  struct Case {
    const char* file;
    std::string bytes;  // written as they are
    const char* messagePart;
  };
  const Case cases[] = {
      {"missing.tsv.gz", "", "does not exist"},
      {"corrupt.tsv.gz", corrupt, "compressed data is damaged"},
      {"truncated.tsv.gz", valid.substr(0, valid.size() / 2), "compressed data is damaged"},
      {"columns.tsv", "A\tA\t\tR\tC\t1\t2\t3\n", "line 1: 8 columns instead of 9"},
      {"latitude.tsv", "# header\nA\tA\t\tR\tC\t91\t2\t3\tUTC\n", "line 2: bad latitude '91'"},
      {"longitude.tsv", "A\tA\t\tR\tC\t1\teast\t3\tUTC\n", "line 1: bad longitude 'east'"},
      {"population.tsv", "A\tA\t\tR\tC\t1\t2\t-3\tUTC\n", "line 1: bad population '-3'"},
      {"zone.tsv", "A\tA\t\tR\tC\t1\t2\t3\t\n", "line 1: no time zone"},
      {"ditto.tsv", "A\tA\t\t\"\tC\t1\t2\t3\tUTC\n", "line 1: '\"' on the first line"},
      {"empty.tsv", "# nothing but a header\n", "holds no places"},
  };
  for (const Case& c : cases) {
    if (!c.bytes.empty()) WriteBytes(Path(c.file), c.bytes);
    const PlaceLoadStatus status = index_.load(Path(c.file));
    EXPECT_FALSE(status.ok) << c.file;
    EXPECT_NE(status.message.find(c.messagePart), std::string::npos) << c.file << ": " << status.message;
    EXPECT_NE(status.message.find(Path(c.file)), std::string::npos) << status.message;
    EXPECT_EQ(index_.size(), 0u) << c.file;
    EXPECT_TRUE(index_.search("springfield").empty()) << c.file;
    ASSERT_TRUE(index_.load(Path("places.tsv.gz")).ok);  // the next case starts from a full index
  }
}

TEST_F(PlaceIndexFixture, PlainTextAndWindowsLineEnds) {
  WriteBytes(Path("plain.tsv"), "Soldeu\t\t\tCanillo\tAndorra\t42.57688\t1.66769\t602\tEurope/Andorra\r\n"
                                "El Tarter\t\tEhl Tarter\t\"\t\"\t42.57952\t1.65362\t1052\t\"");  // no final line feed
  ASSERT_TRUE(index_.load(Path("plain.tsv")).ok);
  EXPECT_EQ(Describe(index_.search("el tarter")), (std::vector<std::string>{"El Tarter, Canillo"}));
  EXPECT_EQ(index_.search("soldeu")[0].zoneId, "Europe/Andorra");
}

TEST_F(PlaceIndexFixture, WhereTheFileIsLookedFor) {
  EXPECT_EQ(LocatePlacesFile("/some/where.tsv.gz"), "/some/where.tsv.gz");
  ::setenv("CORVANE_PLACES", Path("places.tsv.gz").c_str(), 1);
  EXPECT_EQ(LocatePlacesFile(), Path("places.tsv.gz"));
  EXPECT_EQ(LocatePlacesFile("/explicit.tsv.gz"), "/explicit.tsv.gz");
  PlaceIndex fromEnvironment;
  EXPECT_TRUE(LoadPlaces(fromEnvironment).ok);
  EXPECT_EQ(fromEnvironment.size(), 10u);
  ::unsetenv("CORVANE_PLACES");
  // Without either, the first existing candidate: this build's source tree has one.
  const std::vector<std::filesystem::path> candidates = PlacesFileCandidates();
  ASSERT_FALSE(candidates.empty());
  EXPECT_EQ(candidates.front().filename(), "places.tsv.gz");
  EXPECT_EQ(candidates.front().parent_path().filename(), "corvane");
  EXPECT_FALSE(LocatePlacesFile().empty());
}

// The shipped data file: GeoNames' own values are the reference.
class RealPlaces : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    index_ = new PlaceIndex;
    const PlaceLoadStatus status = LoadPlaces(*index_);
    ASSERT_TRUE(status.ok) << status.message;
  }
  static void TearDownTestSuite() {
    delete index_;
    index_ = nullptr;
  }
  static PlaceIndex* index_;
};
PlaceIndex* RealPlaces::index_ = nullptr;

// Values as GeoNames lists them; Soldeu has fewer than 1,000 people.
TEST_F(RealPlaces, KnownPlaces) {
  struct Case {
    const char* query;
    const char* name;
    const char* region;
    const char* country;
    const char* zone;
    double latitude, longitude;
    std::uint32_t population;
  };
  const Case cases[] = {
      {"munchen", "Munich", "Bavaria", "Germany", "Europe/Berlin", 48.13743, 11.57549, 1260391},
      {"Munich", "Munich", "Bavaria", "Germany", "Europe/Berlin", 48.13743, 11.57549, 1260391},
      {"München", "Munich", "Bavaria", "Germany", "Europe/Berlin", 48.13743, 11.57549, 1260391},
      {"MÜNCHEN", "Munich", "Bavaria", "Germany", "Europe/Berlin", 48.13743, 11.57549, 1260391},
      {"Soldeu", "Soldeu", "Canillo", "Andorra", "Europe/Andorra", 42.57688, 1.66769, 602},
      {"sao paulo", "São Paulo", "São Paulo", "Brazil", "America/Sao_Paulo", -23.5475, -46.63611, 12400232},
  };
  for (const Case& c : cases) {
    const auto r = index_->search(c.query, 3);
    ASSERT_FALSE(r.empty()) << c.query;
    EXPECT_EQ(r[0].name, c.name) << c.query;
    EXPECT_EQ(r[0].region, c.region) << c.query;
    EXPECT_EQ(r[0].country, c.country) << c.query;
    EXPECT_EQ(r[0].zoneId, c.zone) << c.query;
    EXPECT_NEAR(r[0].latitude, c.latitude, 1e-6) << c.query;
    EXPECT_NEAR(r[0].longitude, c.longitude, 1e-6) << c.query;
    EXPECT_EQ(r[0].population, c.population) << c.query;
  }
}

TEST_F(RealPlaces, SharedNameByPopulation) {
  const auto r = index_->search("Springfield", 30);
  ASSERT_GE(r.size(), 20u);
  EXPECT_EQ(Describe({r.begin(), r.begin() + 3}),
            (std::vector<std::string>{"Springfield, Missouri", "Springfield, Massachusetts", "Springfield, Illinois"}));
  std::size_t exact = 0;
  while (exact < r.size() && r[exact].match == PlaceMatch::ExactName) ++exact;
  EXPECT_GE(exact, 20u);
  for (std::size_t i = 1; i < exact; ++i) EXPECT_GE(r[i - 1].population, r[i].population) << i;
}

// A former name of a large place comes before a small place that bears that name today.
// The expected places and their regions are GeoNames' own (cities500).
TEST_F(RealPlaces, FormerNamesFindTheLargePlace) {
  struct Case { const char* query; const char* name; const char* country; };
  const Case cases[] = {
      {"Bombay", "Mumbai", "India"},         {"Madras", "Chennai", "India"},
      {"Calcutta", "Kolkata", "India"},      {"Poona", "Pune", "India"},
      {"Benares", "Varanasi", "India"},      {"Baroda", "Vadodara", "India"},
      {"Cawnpore", "Kanpur", "India"},       {"Peking", "Beijing", "China"},
      {"Saigon", "Ho Chi Minh City", "Vietnam"}, {"Leningrad", "Saint Petersburg", "Russia"},
  };
  for (const Case& c : cases) {
    const auto r = index_->search(c.query, 10);
    ASSERT_FALSE(r.empty()) << c.query;
    EXPECT_EQ(r[0].name, c.name) << c.query;
    EXPECT_EQ(r[0].country, c.country) << c.query;
    EXPECT_EQ(r[0].match, PlaceMatch::ExactAlternate) << c.query;
    // The small namesakes are still offered, after it.
    for (std::size_t i = 1; i < r.size(); ++i) {
      if (r[i].match == PlaceMatch::ExactName) {
        EXPECT_LT(r[i].population, r[0].population) << c.query;
      }
    }
  }
  // A large place's own name still comes before a larger place's alternate name.
  EXPECT_EQ(index_->search("New Delhi", 3)[0].name, "New Delhi");
  // Bombay of New Zealand is still found, below Mumbai.
  const auto bombay = index_->search("Bombay", 10);
  EXPECT_NE(std::find_if(bombay.begin(), bombay.end(), [](const PlaceResult& p) { return p.name == "Bombay"; }),
            bombay.end());
}

TEST_F(RealPlaces, NoMatch) { EXPECT_TRUE(index_->search("Qqxzzyv", 10).empty()); }

// Every place is found by its own name among the places of that name (a sample of them).
TEST_F(RealPlaces, EveryPlaceFindsItself) {
  for (std::size_t id = 0; id < index_->size(); id += 101) {
    const PlaceResult p = index_->place(id);
    std::string query = std::string(p.name);
    std::replace(query.begin(), query.end(), ',', ' ');  // a comma would start the qualifier
    query += ", " + std::string(p.country);
    const auto r = index_->search(query, 500);
    const bool found = std::any_of(r.begin(), r.end(), [&](const PlaceResult& x) { return x.id == id; });
    EXPECT_TRUE(found) << query << " (" << p.region << ")";
  }
}

}  // namespace
}  // namespace corvane

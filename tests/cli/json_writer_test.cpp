// The streaming writer against nlohmann-json's own dump of the same values: the program's
// JSON was nlohmann's dump(2) (and dump() for batch lines) with U+FFFD for malformed UTF-8,
// so every byte of the strings and the layout must agree. The digits of a number are now the
// shortest that read back as the same double; strtod is their judge.
#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>
#include <random>
#include <string>

namespace corvane {
namespace {

using Json = nlohmann::ordered_json;

std::string Dump(const Json& j, int indent) { return j.dump(indent, ' ', false, Json::error_handler_t::replace); }

// Writes the same value through a JsonWriter.
template <typename W>
void Write(const Json& j, W& w) {
  switch (j.type()) {
    case Json::value_t::object:
      w.StartObject();
      for (const auto& [key, value] : j.items()) {
        w.Key(key);
        Write(value, w);
      }
      w.EndObject();
      break;
    case Json::value_t::array:
      w.StartArray();
      for (const auto& element : j) Write(element, w);
      w.EndArray();
      break;
    case Json::value_t::string: w.String(j.get_ref<const std::string&>()); break;
    case Json::value_t::boolean: w.Bool(j.get<bool>()); break;
    case Json::value_t::number_float: w.Double(j.get<double>()); break;
    default: w.Int(j.get<std::int64_t>()); break;
  }
}

template <typename W>
std::string Written(const Json& j) {
  W w;
  Write(j, w);
  return std::string(w.Text());
}

std::string Quoted(std::string_view text) {
  TextStream buffer;
  AppendJsonString(text, buffer);
  return std::string(buffer.View());
}

std::string Number(double value) {
  char text[32];
  return {text, NumberText(value, text)};
}

TEST(JsonWriter, NumbersKeepTheirDigitsAndForm) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {123.0, "123.0"}, {186.0, "186.0"}, {0.1, "0.1"}, {80.2, "80.2"}, {0.0001, "0.0001"}, {1e-5, "1e-05"},
      {-0.0, "-0.0"}, {0.0, "0.0"}, {1e15, "1e+15"}, {999999999999999.0, "999999999999999.0"},
      {1.5e300, "1.5e+300"}, {5e-324, "5e-324"}, {-23.518526848743317, "-23.518526848743317"},
      {std::numeric_limits<double>::quiet_NaN(), "null"}, {-std::numeric_limits<double>::infinity(), "null"},
  };
  for (const auto& c : cases) EXPECT_EQ(Number(c.value), c.text) << c.text;
}

TEST(JsonWriter, StringsAreEscapedAndRepairedAsBefore) {
  const struct {
    std::string_view text, json;
  } cases[] = {
      {"plain", "\"plain\""},
      {"say \"hi\" \\ now", R"("say \"hi\" \\ now")"},
      {"\r\n\t\b\f", R"("\r\n\t\b\f")"},
      {std::string_view("\x00\x0b\x1f\x7f", 4), "\"\\u0000\\u000b\\u001f\x7f\""},  // lower-case hex; DEL as it is
      {"Z\xC3\xBCrich \xE6\x9D\xB1", "\"Z\xC3\xBCrich \xE6\x9D\xB1\""},
      // The example of maximal subparts in the Unicode standard (table 3-8): the bytes
      // F1 80 80, E1 80, C2, 80, 80, BF each become one U+FFFD.
      {"a\xF1\x80\x80\xE1\x80\xC2" "b\x80" "c\x80\xBF" "d",
       "\"a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" "b\xEF\xBF\xBD" "c\xEF\xBF\xBD\xEF\xBF\xBD" "d\""},
      {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // a surrogate is three bad bytes
      {"end \xF0\x9F\x98", "\"end \xEF\xBF\xBD\""},                // a cut-off sequence is one
      {"a long plain text of many words\r\n", "\"a long plain text of many words\\r\\n\""},
  };
  for (const auto& c : cases) EXPECT_EQ(Quoted(c.text), c.json) << c.json;
}

// Random values of every kind, with texts of random bytes, nested a few levels deep.
Json RandomValue(std::mt19937_64& rng, int depth) {
  const int kind = static_cast<int>(rng() % (depth > 3 ? 5 : 7));
  switch (kind) {
    case 0: {
      std::string text(rng() % 24, ' ');
      for (char& c : text) {
        const auto r = rng() % 10;
        c = static_cast<char>(r < 5 ? 'a' + rng() % 26 : r < 7 ? rng() % 0x20 : r < 8 ? '"' : rng() % 256);
      }
      return text;
    }
    case 1: {
      const std::uint64_t bits = rng();
      double value;
      std::memcpy(&value, &bits, sizeof value);
      if (rng() % 2) value = std::ldexp(static_cast<double>(bits >> 11), -53) * 360.0;
      if (!std::isfinite(value)) value = 0.5;  // nlohmann stores these as null
      return value;
    }
    case 2: return static_cast<std::int64_t>(rng()) >> (rng() % 64);
    case 3: return rng() % 2 == 0;
    case 4: return static_cast<double>(static_cast<std::int64_t>(rng() % 2000) - 1000);
    case 5: {
      Json object = Json::object();
      for (int n = static_cast<int>(rng() % 5); n > 0; --n) {
        object["key_" + std::to_string(rng() % 100)] = RandomValue(rng, depth + 1);
      }
      return object;
    }
    default: {
      Json array = Json::array();
      for (int n = static_cast<int>(rng() % 5); n > 0; --n) array.push_back(RandomValue(rng, depth + 1));
      return array;
    }
  }
}

// The same tree with each double made a whole number below 1e15, whose digits every
// algorithm spells alike, so that the layout can be compared byte for byte.
Json WholeNumbers(const Json& j) {
  if (j.is_number_float()) {
    const double v = j.get<double>();
    return std::fabs(v) < 1e15 ? std::trunc(v) : 1.5;
  }
  Json copy = j;
  if (j.is_array()) {
    for (std::size_t i = 0; i < j.size(); ++i) copy[i] = WholeNumbers(j[i]);
  } else if (j.is_object()) {
    for (const auto& [key, value] : j.items()) copy[key] = WholeNumbers(value);
  }
  return copy;
}

TEST(JsonWriter, PrettyAndLineTextsMatchTheFormerDumpForRandomValues) {
  std::mt19937_64 rng(20240611);
  for (int i = 0; i < 3000; ++i) {
    Json root = Json::object();
    root["value"] = RandomValue(rng, 0);
    root["more"] = RandomValue(rng, 1);
    const Json whole = WholeNumbers(root);
    ASSERT_EQ(Written<PrettyJsonWriter>(whole), Dump(whole, 2)) << i;
    ASSERT_EQ(Written<LineJsonWriter>(whole), Dump(whole, -1)) << i;
    // With any digits: the text reads back as the same values.
    ASSERT_EQ(Json::parse(Written<LineJsonWriter>(root)), Json::parse(Dump(root, -1))) << i;
  }
}

// The significant digits of a number's text ("1.2345e-05" and "0.000012345" have 5).
int SignificantDigits(const std::string& text) {
  const std::string mantissa = text.substr(0, text.find('e'));
  std::string digits;
  for (char c : mantissa)
    if (c >= '0' && c <= '9') digits += c;
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return 1;
  std::size_t last = digits.find_last_not_of('0');
  return static_cast<int>(last - first + 1);
}

// Each text reads back (strtod) as the very double written, and no text with one digit less
// does (printf's %.*e rounds correctly, so it gives the nearest shorter candidate).
void ExpectShortestRoundTrip(double value) {
  const std::string text = Number(value);
  const double back = std::strtod(text.c_str(), nullptr);
  ASSERT_EQ(std::memcmp(&back, &value, sizeof value), 0) << text;
  const int digits = SignificantDigits(text);
  if (digits > 1) {
    char shorter[64];
    std::snprintf(shorter, sizeof shorter, "%.*e", digits - 2, value);
    EXPECT_NE(std::strtod(shorter, nullptr), value) << text << " could be " << shorter;
  }
}

TEST(JsonWriter, NumbersReadBackAsTheSameDoubleWithTheFewestDigits) {
  const double edges[] = {
      0.1, 0.2, 0.3, 1.0 / 3.0, 2.0 / 3.0, 1e21, 1e22, 1e23, -0.0, 0.0, 1.0, 7.0, 100.0, 123456789.0,
      9007199254740992.0, 9007199254740993.0, 1e15, 1e16, 0.0001, 0.00009999999999999999, 1e-5,
      std::numeric_limits<double>::denorm_min(), 2 * std::numeric_limits<double>::denorm_min(),
      std::numeric_limits<double>::min(), std::nextafter(std::numeric_limits<double>::min(), 0.0),
      std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(), 183.93216544105329,
      359.99999999999994, 5e-324, 2.2250738585072009e-308, 4.35e-310,
  };
  for (const double v : edges) ExpectShortestRoundTrip(v);
  // Doubles of every exponent, and longitudes as a chart has them.
  std::mt19937_64 rng(31);
  for (int i = 0; i < 200000; ++i) {
    const std::uint64_t bits = rng();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (i % 2) value = std::ldexp(static_cast<double>(bits >> 11), -53) * 360.0;
    if (std::isfinite(value)) ExpectShortestRoundTrip(value);
    if (HasFatalFailure()) return;
  }
}

TEST(JsonWriter, PlainStringsAndKeysAreCopiedBetweenQuotes) {
  LineJsonWriter w;
  w.StartObject();
  w.Key("date");
  w.PlainString("1975-06-05");
  w.Key(std::string_view("text"));
  w.PlainString("16\xC2\xB0 30' Sag");
  w.Key("empty");
  w.PlainString("");
  w.EndObject();
  EXPECT_EQ(w.Text(), "{\"date\":\"1975-06-05\",\"text\":\"16\xC2\xB0 30' Sag\",\"empty\":\"\"}");
  // Only texts that need no escape and are whole UTF-8 may be written so.
  EXPECT_TRUE(IsPlainJsonText("07:05:09"));
  EXPECT_FALSE(IsPlainJsonText("17\xC2\xB0 48' 28\" Sag"));
  EXPECT_FALSE(IsPlainJsonText("a\r\nb"));
  EXPECT_FALSE(IsPlainJsonText("back\\slash"));
  EXPECT_FALSE(IsPlainJsonText("cut \xC2"));
}

TEST(JsonWriter, NextLineStartsTheNextValueAfterTheLine) {
  LineJsonWriter w;
  for (int i = 0; i < 3; ++i) {
    w.StartArray();
    w.Int(i);
    w.Double(0.5 * i);
    w.EndArray();
    w.NextLine();
  }
  EXPECT_EQ(w.Text(), "[0,0.0]\n[1,0.5]\n[2,1.0]\n");
}

TEST(JsonWriter, ClearStartsTheNextValueInTheSameWriter) {
  LineJsonWriter w;
  for (int i = 0; i < 3; ++i) {
    w.Clear();
    w.StartObject();
    w.Key("line");
    w.Int(i);
    w.EndObject();
    EXPECT_EQ(w.Text(), "{\"line\":" + std::to_string(i) + "}");
  }
}

}  // namespace
}  // namespace corvane

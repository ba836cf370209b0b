// The streaming writer against nlohmann-json's own dump of the same values: the program's
// JSON was nlohmann's dump(2) (and dump() for batch lines) with U+FFFD for malformed UTF-8,
// so every byte must agree, for strings, numbers and the layout alike.
#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <cmath>
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

TEST(JsonWriter, PrettyAndLineTextsMatchTheFormerDumpForRandomValues) {
  std::mt19937_64 rng(20240611);
  for (int i = 0; i < 3000; ++i) {
    Json root = Json::object();
    root["value"] = RandomValue(rng, 0);
    root["more"] = RandomValue(rng, 1);
    ASSERT_EQ(Written<PrettyJsonWriter>(root), Dump(root, 2)) << i;
    ASSERT_EQ(Written<LineJsonWriter>(root), Dump(root, -1)) << i;
  }
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

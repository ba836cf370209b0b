#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace corvane {

// The JSON text of a string value, quotes included, for a text that RapidJSON cannot be given
// as it is: malformed UTF-8 becomes U+FFFD, and control characters are escaped as \b \t \n
// \f \r or \u00xx with lower-case hex, as the program has always written them. Returns false
// (leaving `quoted` alone) when the text needs none of this and RapidJSON's own escaping
// gives the same bytes.
bool SpecialStringText(std::string_view text, std::string& quoted);

// The JSON text of a number: the shortest digits the Grisu2 method finds, in a plain
// decimal form from 1e-5 up to 1e15 with ".0" after a whole number, otherwise as d.ddde±XX;
// null for a value that is not finite. `out` must hold 32 characters; returns the length.
std::size_t NumberText(double value, char* out);

// Streams one JSON value into a text buffer through a RapidJSON writer (Writer: one compact
// line; PrettyWriter: two-space indentation), giving strings and numbers the text above so
// that the output stays byte for byte what the program printed before it streamed.
template <typename RapidWriter>
class JsonWriter {
 public:
  JsonWriter() : writer_(buffer_) {
    if constexpr (requires { writer_.SetIndent(' ', 2); }) writer_.SetIndent(' ', 2);
  }

  void StartObject() { writer_.StartObject(); }
  void EndObject() { writer_.EndObject(); }
  void StartArray() { writer_.StartArray(); }
  void EndArray() { writer_.EndArray(); }
  // Member names are the program's own ASCII constants.
  void Key(std::string_view key) { writer_.Key(key.data(), static_cast<rapidjson::SizeType>(key.size())); }
  void String(std::string_view text) {
    if (SpecialStringText(text, scratch_)) {
      writer_.RawValue(scratch_.data(), scratch_.size(), rapidjson::kStringType);
    } else {
      writer_.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
    }
  }
  void Int(std::int64_t value) { writer_.Int64(value); }
  void Bool(bool value) { writer_.Bool(value); }
  void Double(double value) {
    char text[32];
    writer_.RawValue(text, NumberText(value, text), rapidjson::kNumberType);
  }

  // The text written since the last Clear(), once the value is complete.
  std::string_view Text() const { return {buffer_.GetString(), buffer_.GetSize()}; }
  // Appends a line end to the text.
  void EndLine() { buffer_.Put('\n'); }
  // Starts the next value in the same buffer, keeping its storage.
  void Clear() {
    buffer_.Clear();
    writer_.Reset(buffer_);
  }

 private:
  rapidjson::StringBuffer buffer_;
  RapidWriter writer_;
  std::string scratch_;
};

using PrettyJsonWriter = JsonWriter<rapidjson::PrettyWriter<rapidjson::StringBuffer>>;
using LineJsonWriter = JsonWriter<rapidjson::Writer<rapidjson::StringBuffer>>;

}  // namespace corvane

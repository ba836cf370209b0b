#pragma once
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include <rapidjson/prettywriter.h>
#include <rapidjson/writer.h>

#include <memory>

namespace corvane {

// The text a writer streams into: a growing character buffer that is kept from value to value.
// (RapidJSON's own StringBuffer does pointer arithmetic on a null pointer when it is first
// written to, which the sanitizers report.)
class TextStream {
 public:
  using Ch = char;

  void Put(char c) {
    Reserve(1);
    chars_[size_++] = c;
  }
  void Flush() {}
  // Makes room for `count` more characters.
  void Reserve(std::size_t count) {
    if (capacity_ - size_ < count) Grow(count);
  }
  // Room for `count` characters at the end: the caller writes them, then gives back what it
  // did not use with Pop().
  char* Push(std::size_t count) {
    Reserve(count);
    char* const room = chars_.get() + size_;
    size_ += count;
    return room;
  }
  void Pop(std::size_t count) { size_ -= count; }
  void Clear() { size_ = 0; }
  std::string_view View() const { return {chars_.get(), size_}; }

 private:
  void Grow(std::size_t count);

  std::unique_ptr<char[]> chars_;
  std::size_t size_ = 0, capacity_ = 0;
};

// What RapidJSON's writer calls to write a character whose room it has reserved.
inline void PutReserve(TextStream& stream, std::size_t count) { stream.Reserve(count); }
inline void PutUnsafe(TextStream& stream, char c) { stream.Put(c); }

// Appends the JSON text of a string value, quotes included, as the program has always written
// it: malformed UTF-8 becomes U+FFFD (each maximal subpart once); ", \ and the control
// characters are escaped, as \b \t \n \f \r or \u00xx with lower-case hex; everything else is
// copied.
void AppendJsonString(std::string_view text, TextStream& out);

// True when AppendJsonString would copy the text as it is between its quotes.
bool IsPlainJsonText(std::string_view text);

// The JSON text of a number: the shortest digits that read back as the same double
// (std::to_chars), as 123.0, 0.0001 or 1e-05, 1e+15 (plain decimals from 1e-4 up to 1e15,
// // with ".0" after a whole number); null for a value that is not finite. `out` must hold 32
// characters; returns the length.
std::size_t NumberText(double value, char* out);

// Streams one JSON value into a text buffer through a RapidJSON writer (Writer: one compact
// line; PrettyWriter: two-space indentation), which lays out the structure. Strings and
// numbers are written straight into the buffer with the texts above, right after the writer
// has laid out their place (a raw value of no characters), so that the output stays byte for
// byte what the program printed before it streamed: RapidJSON's own string escaping and
// number digits differ.
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
  // Member names are the program's own: letters, digits and underscores, which JSON strings
  // hold as they are, so they are copied without a look. A name written in the code is
  // copied with its length known when the program is compiled.
  template <std::size_t N>
  void Key(const char (&key)[N]) {
    writer_.RawValue("", 0, rapidjson::kStringType);
    char* const out = buffer_.Push(N + 1);
    out[0] = '"';
    std::memcpy(out + 1, key, N - 1);
    out[N] = '"';
  }
  void Key(std::string_view key) { PlainString(key); }
  void String(std::string_view text) {
    writer_.RawValue("", 0, rapidjson::kStringType);
    AppendJsonString(text, buffer_);
  }
  // A text the program made that holds no character JSON escapes (no control character,
  // quote or backslash) and is valid UTF-8, such as a date, a number or a table's entry:
  // copied without a look.
  void PlainString(std::string_view text) {
    assert(IsPlainJsonText(text));
    writer_.RawValue("", 0, rapidjson::kStringType);
    char* const out = buffer_.Push(text.size() + 2);
    out[0] = '"';
    if (!text.empty()) std::memcpy(out + 1, text.data(), text.size());
    out[text.size() + 1] = '"';
  }
  void Int(std::int64_t value) { writer_.Int64(value); }
  void Bool(bool value) { writer_.Bool(value); }
  void Null() { writer_.Null(); }
  void Double(double value) {
    writer_.RawValue("", 0, rapidjson::kNumberType);
    char* const room = buffer_.Push(32);
    buffer_.Pop(32 - NumberText(value, room));
  }

  // The text written since the last Clear().
  std::string_view Text() const { return buffer_.View(); }
  // Appends a line end to the text, once the value is complete.
  void EndLine() { buffer_.Put('\n'); }
  // Ends the line of a complete value and starts the next value after it, in the same text.
  void NextLine() {
    buffer_.Put('\n');
    writer_.Reset(buffer_);
  }
  // A whole value whose JSON text was made elsewhere (of the program's own keys and numbers),
  // put in the place of the next value as it is. On one line only: it is not indented.
  void RawValue(std::string_view json, rapidjson::Type type) {
    writer_.RawValue("", 0, type);
    Raw(json);
  }
  // Room for a value of at most `size` bytes, written in place by the caller, who then gives
  // back what it did not use with GiveBack (saves copying a long value made elsewhere).
  char* RawValueRoom(std::size_t size, rapidjson::Type type) {
    writer_.RawValue("", 0, type);
    return buffer_.Push(size);
  }
  void GiveBack(std::size_t unused) { buffer_.Pop(unused); }
  // Appends a text made elsewhere (a whole line, say) between two values.
  void Raw(std::string_view text) {
    if (!text.empty()) std::memcpy(buffer_.Push(text.size()), text.data(), text.size());
  }
  // Starts the next value in the same buffer, keeping its storage.
  void Clear() {
    buffer_.Clear();
    writer_.Reset(buffer_);
  }

 private:
  TextStream buffer_;
  RapidWriter writer_;
};

using PrettyJsonWriter = JsonWriter<rapidjson::PrettyWriter<TextStream>>;
using LineJsonWriter = JsonWriter<rapidjson::Writer<TextStream>>;

}  // namespace corvane

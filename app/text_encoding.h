#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The program keeps its texts in UTF-8; chart files hold them in Windows-1252.

// Every Windows-1252 byte becomes its character. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as
// Windows itself maps them, so every byte string survives the trip to UTF-8 and back.
std::string Utf8FromWindows1252(std::string_view bytes);

// The Windows-1252 bytes of a UTF-8 text. Characters the code page cannot hold (and bytes
// that are not valid UTF-8) are left out; when `unstorable` is given, each such character
// is appended to it once, as UTF-8 (an invalid byte is listed as U+FFFD).
std::string Windows1252FromUtf8(std::string_view utf8, std::vector<std::string>* unstorable = nullptr);

// Where UTF-8 text is checked or repaired, a malformed sequence is taken as the Unicode
// standard recommends: each maximal subpart (the longest run of bytes that could still have
// begun a well-formed character, at least one byte) counts as one bad character.

// Byte offset of the first malformed sequence, or std::string_view::npos for well-formed text.
std::size_t FirstMalformedUtf8(std::string_view text);

// Appends the text to `out` with each maximal subpart of a malformed sequence replaced by
// U+FFFD.
void AppendWithReplacementCharacters(std::string_view text, std::string& out);

// The character of one Windows-1252 byte (the undefined five as their C1 controls), and the
// byte of a character, nothing when the code page cannot hold it.
char32_t CharacterOfByte(unsigned char byte);
std::optional<unsigned char> Windows1252Byte(char32_t character);

}  // namespace corvane

#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// Writes `bytes` to `path` so that the file is either the old one or the whole new one:
// the bytes go to a fresh file in the same folder, which is flushed to the disk and then
// renamed over `path`. Returns why it could not, or nothing on success; on failure the
// temporary file is removed and an existing file at `path` is left as it was.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace corvane

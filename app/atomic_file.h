#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace corvane {

// Replacing a file so that a reader, a crash or a failed write never sees it half written:
// the new bytes go to a temporary file in the same folder, which is flushed to disk and then
// renamed over the old name; the folder is synced so that the rename itself lasts. Until the
// rename the old file is untouched, and on any failure the temporary file is removed.
//
// A symbolic link is followed only where following it is safe: the file it points to is
// replaced and the link stays. A link in a world-writable sticky folder (such as /tmp) that
// belongs to neither the user nor the folder's owner is refused, as the kernel refuses to
// follow such a link, since anyone could have planted it there; so is a link whose target
// lies in a folder the user may not write. A file whose permission bits deny the user
// writing is not replaced either. All of this is decided on descriptors of the folders
// involved (the final rename replaces the name in the folder that was checked), so a link
// swapped in afterwards is not followed.
//
// A file that already exists keeps its permission bits (set-id bits apart); a new one gets
// 0666 less the umask.

// Takes the new file's bytes piece by piece.
class AtomicFileSink {
 public:
  explicit AtomicFileSink(int fd) : fd_(fd) {}
  // Appends the bytes; false when they could not all be written. After a failure every
  // further write fails as well.
  bool write(std::string_view bytes);
  int error() const { return error_; }  // errno of the failed write, 0 when none failed

 private:
  int fd_;
  int error_ = 0;
};

// Writes the whole new file through the sink; returns false to abandon the replacement.
// An exception leaves the old file as it was, removes the temporary file and goes on up.
using AtomicFileFiller = std::function<bool(AtomicFileSink&)>;

// Why a file was not replaced.
struct AtomicWriteFailure {
  enum class Step {
    Refused,    // the path may not be written: an unsafe link, a read-only file (see above)
    Create,     // the temporary file could not be made (missing folder, no permission, ...)
    Write,      // the filler gave up or a write failed (full disk, file size limit, ...)
    Sync,       // flushing the temporary file to disk or closing it failed
    Replace,    // the rename over the old name failed (a folder of that name, ...)
    SyncFolder  // the new file is in place, but the folder could not be flushed to disk
  };
  Step step;
  int error = 0;  // errno; 0 when the filler gave up without a failed write
  std::string reason;  // for Refused: why, e.g. "it is a link in a shared folder ..."

  // True only for SyncFolder: the new file has replaced the old one.
  bool replaced() const { return step == Step::SyncFolder; }
  // What went wrong, in a few words, e.g. "writing the file failed: File too large"; for
  // SyncFolder "its folder could not be flushed to disk: ...", to follow "saved, but".
  std::string describe() const;
};

std::optional<AtomicWriteFailure> WriteFileAtomically(const std::string& path, const AtomicFileFiller& fill);
std::optional<AtomicWriteFailure> WriteFileAtomically(const std::string& path, std::string_view bytes);

// Where a write to `path` would land, by the same rules: the path after following the links
// that may be followed (a dangling link stands for itself), or why it may not be written
// (an unsafe link, a folder that cannot be opened). For files that are updated in place
// rather than replaced, such as a database.
struct WritePath {
  std::string path;                         // the file itself, no link left to follow
  std::optional<AtomicWriteFailure> failure;  // set when the path may not be written
};
WritePath ResolveWritePath(const std::string& path);

// Writes a new file into the folder without ever replacing one: the bytes go to a temporary
// file made exclusively (O_EXCL), which then takes the name STEM.EXT, or the first of
// STEM_2.EXT, STEM_3.EXT, ... that no file has, by a rename that refuses to replace
// (RENAME_NOREPLACE), so that two programs writing into one folder at once never take the
// same name. The path written ("FOLDER/STEM_2.EXT"), or why nothing was.
std::variant<std::string, AtomicWriteFailure> WriteNewFile(const std::string& folder, const std::string& stem,
                                                           std::string_view extension, std::string_view bytes);

}  // namespace corvane

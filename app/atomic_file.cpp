#include "app/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace corvane {
namespace {

using Step = AtomicWriteFailure::Step;

// The file a save replaces: the path itself, or the file a symbolic link there points to.
std::string TargetOf(const std::string& path) {
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return path;  // dangling: replace the link
  return resolved;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The temporary file: removed again unless it has been renamed into place.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    closeFile();
    if (!path_.empty() && !renamed_) ::unlink(path_.c_str());
  }

  // Makes a new file in the folder under a name no other file has; errno when it cannot.
  int create(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string candidate = folder + "/.corvane-save-" + std::to_string(::getpid()) + "-" +
                              std::to_string(counter.fetch_add(1)) + ".tmp";
      // 0666 lets the umask decide the permissions, as for any newly created file.
      fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ >= 0) {
        path_ = std::move(candidate);
        return 0;
      }
      if (errno != EEXIST) return errno;
    }
    return EEXIST;
  }

  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  void markRenamed() { renamed_ = true; }

  // Closes the file; errno when the close reports a failed write.
  int closeFile() {
    if (fd_ < 0) return 0;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  std::string path_;
  int fd_ = -1;
  bool renamed_ = false;
};

// Flushes the folder's entries, so that the rename survives a crash. Folders whose file
// system cannot be synced this way (EINVAL) are taken as they are.
int SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = 0;
  if (::fsync(fd) != 0 && errno != EINVAL) error = errno;
  ::close(fd);
  return error;
}

AtomicWriteFailure Failed(Step step, int error) { return AtomicWriteFailure{step, error}; }

}  // namespace

bool AtomicFileSink::write(std::string_view bytes) {
  if (error_ != 0) return false;
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string AtomicWriteFailure::describe() const {
  std::string what;
  switch (step) {
    case Step::Create: what = "the new file could not be created"; break;
    case Step::Write: what = "writing the file failed"; break;
    case Step::Sync: what = "flushing the file to disk failed"; break;
    case Step::Replace: what = "the new file could not take the old one's place"; break;
    case Step::SyncFolder: what = "its folder could not be flushed to disk"; break;
  }
  if (error != 0) what += std::string(": ") + std::strerror(error);
  return what;
}

std::optional<AtomicWriteFailure> WriteFileAtomically(const std::string& path, const AtomicFileFiller& fill) {
  const std::string target = TargetOf(path);
  const std::string folder = FolderOf(target);
  TemporaryFile temporary;
  if (const int error = temporary.create(folder)) return Failed(Step::Create, error);

  // A replaced file keeps its permission bits (and, where allowed, its owner).
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    if (::fchmod(temporary.fd(), old.st_mode & 07777) != 0) return Failed(Step::Create, errno);
    [[maybe_unused]] const int ignored = ::fchown(temporary.fd(), old.st_uid, old.st_gid);
  }

  AtomicFileSink sink(temporary.fd());
  if (!fill(sink) || sink.error() != 0) return Failed(Step::Write, sink.error());
  if (::fsync(temporary.fd()) != 0) return Failed(Step::Sync, errno);
  if (const int error = temporary.closeFile()) return Failed(Step::Sync, error);
  if (::rename(temporary.path().c_str(), target.c_str()) != 0) return Failed(Step::Replace, errno);
  temporary.markRenamed();
  if (const int error = SyncFolder(folder)) return Failed(Step::SyncFolder, error);
  return std::nullopt;
}

std::optional<AtomicWriteFailure> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  return WriteFileAtomically(path, [bytes](AtomicFileSink& sink) { return sink.write(bytes); });
}

}  // namespace corvane

#include "app/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>

namespace corvane {
namespace {

// Closes the descriptor and removes the temporary file unless the rename took it over.
class TemporaryFile {
 public:
  TemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  void Keep() { path_.clear(); }

 private:
  int fd_;
  std::string path_;
};

std::string Folder(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Failure(const std::string& path, int error) {
  return "The file could not be written: " + path + " (" + std::strerror(error) + ")";
}

// A name in the target's folder that no other writer picks: the process, a counter and a
// random number. The leading dot keeps it out of ordinary folder listings.
std::string TemporaryName(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  thread_local std::mt19937 random{std::random_device{}()};
  const auto slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return folder + "." + name + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
         std::to_string(random() % 1000000) + ".tmp";
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty() || path.back() == '/') return Failure(path, EISDIR);
  // A file that is replaced keeps its permissions; a new one gets the usual ones (umask).
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0;
  if (replacing && S_ISDIR(old.st_mode)) return Failure(path, EISDIR);

  int fd = -1;
  std::string temporaryPath;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporaryPath = TemporaryName(path);
    fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return Failure(path, errno);
  }
  if (fd < 0) return Failure(path, EEXIST);
  TemporaryFile temporary(fd, temporaryPath);

  if (replacing && ::fchmod(temporary.fd(), old.st_mode & 07777) != 0) return Failure(path, errno);
  if (!WriteAll(temporary.fd(), bytes) || ::fsync(temporary.fd()) != 0) return Failure(path, errno);
  if (!temporary.Close()) return Failure(path, errno);
  if (::rename(temporary.path().c_str(), path.c_str()) != 0) return Failure(path, errno);
  temporary.Keep();

  // The rename itself reaches the disk with the folder's entry.
  const int folder = ::open(Folder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return std::nullopt;
}

}  // namespace corvane

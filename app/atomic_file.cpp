#include "app/atomic_file.h"

#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/input_file.h"

namespace corvane {
namespace {

using Step = AtomicWriteFailure::Step;

// An open folder, closed when it goes out of scope.
class Folder {
 public:
  Folder() = default;
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  ~Folder() { reset(-1); }
  int open(const std::string& path) {
    reset(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd_ < 0 ? errno : 0;
  }
  int fd() const { return fd_; }

 private:
  void reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  int fd_ = -1;
};

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whether the permission bits let this process write the file: the owner's bits for its
// owner, the group's for a member, the others' for everyone else. The superuser, whom the
// bits do not bind, is held to them only where no one at all may write the file.
bool ModeAllowsWriting(const struct stat& st) {
  const uid_t user = ::geteuid();
  if (user == 0) return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
  if (st.st_uid == user) return (st.st_mode & S_IWUSR) != 0;
  bool member = st.st_gid == ::getegid();
  if (!member) {
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
      std::vector<gid_t> groups(static_cast<std::size_t>(count));
      const int got = ::getgroups(count, groups.data());
      for (int i = 0; i < got && !member; ++i) member = groups[static_cast<std::size_t>(i)] == st.st_gid;
    }
  }
  return (st.st_mode & (member ? S_IWGRP : S_IWOTH)) != 0;
}

// Where a save really writes: the folder (open) and the name in it. Links at the path are
// followed one at a time, each read through its own folder's descriptor, and each judged
// by the rule the kernel applies to links in shared folders.
struct Destination {
  Folder folder;
  std::string folderPath;
  std::string name;
};

constexpr int kMaxLinks = 40;  // as many links in a row as the kernel follows

std::optional<AtomicWriteFailure> Refuse(int error, std::string reason) {
  return AtomicWriteFailure{AtomicWriteFailure::Step::Refused, error, std::move(reason)};
}

std::optional<AtomicWriteFailure> Resolve(const std::string& path, Destination& to) {
  std::string current = path;
  for (int links = 0;; ++links) {
    to.folderPath = FolderOf(current);
    to.name = NameOf(current);
    if (to.name.empty() || to.name == "." || to.name == "..")
      return AtomicWriteFailure{AtomicWriteFailure::Step::Replace, EISDIR, {}};
    if (const int error = to.folder.open(to.folderPath)) return AtomicWriteFailure{AtomicWriteFailure::Step::Create, error, {}};
    struct stat entry {};
    if (::fstatat(to.folder.fd(), to.name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno == ENOENT) return std::nullopt;  // a new file
      return AtomicWriteFailure{AtomicWriteFailure::Step::Create, errno, {}};
    }
    if (!S_ISLNK(entry.st_mode)) return std::nullopt;
    if (links == kMaxLinks) return Refuse(ELOOP, "it leads through too many symbolic links");
    struct stat folder {};
    if (::fstat(to.folder.fd(), &folder) != 0) return AtomicWriteFailure{AtomicWriteFailure::Step::Create, errno, {}};
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    if (shared && entry.st_uid != ::geteuid() && entry.st_uid != folder.st_uid)
      return Refuse(EACCES,
                    "it is a symbolic link that another user owns in a shared folder, and following it "
                    "could replace a file it was planted to reach");
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlinkat(to.folder.fd(), to.name.c_str(), target.data(), target.size());
    if (length < 0) return AtomicWriteFailure{AtomicWriteFailure::Step::Create, errno, {}};
    if (static_cast<std::size_t>(length) >= target.size()) return Refuse(ENAMETOOLONG, "its link target is too long");
    target.resize(static_cast<std::size_t>(length));
    if (target.empty()) return Refuse(ENOENT, "it is an empty symbolic link");
    const bool dangling = ::fstatat(to.folder.fd(), to.name.c_str(), &entry, 0) != 0 && errno == ENOENT;
    if (dangling) return std::nullopt;  // nothing to reach: the link itself is replaced
    current = target.front() == '/' ? target : to.folderPath + "/" + target;
  }
}

// The temporary file: removed again unless it has been renamed into place.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    closeFile();
    if (!name_.empty() && !renamed_) ::unlinkat(folder_, name_.c_str(), 0);
  }

  // Makes a new file in the open folder under a name no other file has; errno when it cannot.
  int create(int folder) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string candidate =
          ".corvane-save-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1)) + ".tmp";
      // 0666 lets the umask decide the permissions, as for any newly created file.
      fd_ = ::openat(folder, candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (fd_ >= 0) {
        folder_ = folder;
        name_ = std::move(candidate);
        return 0;
      }
      if (errno != EEXIST) return errno;
    }
    return EEXIST;
  }

  int fd() const { return fd_; }
  const std::string& name() const { return name_; }
  void markRenamed() { renamed_ = true; }

  // Closes the file; errno when the close reports a failed write.
  int closeFile() {
    if (fd_ < 0) return 0;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int folder_ = -1;
  std::string name_;
  int fd_ = -1;
  bool renamed_ = false;
};

// Flushes the folder's entries, so that the rename survives a crash. Folders whose file
// system cannot be synced this way (EINVAL) are taken as they are.
int SyncFolder(int folder) {
  if (::fsync(folder) != 0 && errno != EINVAL) return errno;
  return 0;
}

AtomicWriteFailure Failed(Step step, int error) { return AtomicWriteFailure{step, error, {}}; }

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
    case Step::Refused: what = "it was not replaced because " + reason; break;
    case Step::Create: what = "the new file could not be created"; break;
    case Step::Write: what = "writing the file failed"; break;
    case Step::Sync: what = "flushing the file to disk failed"; break;
    case Step::Replace: what = "the new file could not take the old one's place"; break;
    case Step::SyncFolder: what = "its folder could not be flushed to disk"; break;
  }
  if (error != 0 && step != Step::Refused) what += std::string(": ") + std::strerror(error);
  return what;
}

std::optional<AtomicWriteFailure> WriteFileAtomically(const std::string& path, const AtomicFileFiller& fill) {
  Destination to;
  if (auto failure = Resolve(path, to)) return failure;
  const int folder = to.folder.fd();

  // What stands at the name now: a file the user may not write stays as it is, and only a
  // regular file is replaced (a FIFO, socket or device node is someone's channel, not a file).
  struct stat old {};
  const bool exists = ::fstatat(folder, to.name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (exists && !S_ISREG(old.st_mode) && !S_ISDIR(old.st_mode)) {
    const char* kind = FileKindName(old.st_mode);
    return Refuse(EINVAL, std::string("it is ") + (kind != nullptr ? kind : "not a regular file") +
                              ", and only a regular file is replaced");
  }
  const bool replacing = exists && S_ISREG(old.st_mode);
  if (replacing && !ModeAllowsWriting(old))
    return Refuse(EACCES, "its permissions do not let you write it");
  if (::faccessat(folder, ".", W_OK, AT_EACCESS) != 0)
    return Refuse(errno, "you may not write in its folder " + to.folderPath);

  TemporaryFile temporary;
  if (const int error = temporary.create(folder)) return Failed(Step::Create, error);

  // A replaced file keeps its owner where allowed and its permission bits, without the
  // set-user and set-group bits a new content must not inherit.
  if (replacing) {
    [[maybe_unused]] const int ignored = ::fchown(temporary.fd(), old.st_uid, old.st_gid);
    if (::fchmod(temporary.fd(), old.st_mode & 0777) != 0) return Failed(Step::Create, errno);
  }

  AtomicFileSink sink(temporary.fd());
  if (!fill(sink) || sink.error() != 0) return Failed(Step::Write, sink.error());
  if (::fsync(temporary.fd()) != 0) return Failed(Step::Sync, errno);
  if (const int error = temporary.closeFile()) return Failed(Step::Sync, error);
  if (::renameat(folder, temporary.name().c_str(), folder, to.name.c_str()) != 0) return Failed(Step::Replace, errno);
  temporary.markRenamed();
  if (const int error = SyncFolder(folder)) return Failed(Step::SyncFolder, error);
  return std::nullopt;
}

// Gives the temporary file the final name unless a file has that name: renameat2 with
// RENAME_NOREPLACE, or where the file system lacks it, a hard link and the removal of the
// temporary name. 0, EEXIST when the name is taken, or errno.
int MoveToFreeName(int folder, const std::string& from, const std::string& to) {
  if (::renameat2(folder, from.c_str(), folder, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  if (::linkat(folder, from.c_str(), folder, to.c_str(), 0) != 0) return errno;
  ::unlinkat(folder, from.c_str(), 0);
  return 0;
}

std::variant<std::string, AtomicWriteFailure> WriteNewFile(const std::string& folderPath, const std::string& stem,
                                                           std::string_view extension, std::string_view bytes) {
  Folder folder;
  if (const int error = folder.open(folderPath.empty() ? std::string(".") : folderPath)) return Failed(Step::Create, error);
  TemporaryFile temporary;
  if (const int error = temporary.create(folder.fd())) return Failed(Step::Create, error);
  AtomicFileSink sink(temporary.fd());
  if (!sink.write(bytes)) return Failed(Step::Write, sink.error());
  if (::fsync(temporary.fd()) != 0) return Failed(Step::Sync, errno);
  if (const int error = temporary.closeFile()) return Failed(Step::Sync, error);
  constexpr int kMostTries = 100000;
  for (int n = 1; n <= kMostTries; ++n) {
    const std::string name = stem + (n == 1 ? std::string() : "_" + std::to_string(n)) + std::string(extension);
    const int error = MoveToFreeName(folder.fd(), temporary.name(), name);
    if (error == EEXIST) continue;
    if (error != 0) return Failed(Step::Replace, error);
    temporary.markRenamed();
    if (const int synced = SyncFolder(folder.fd())) return Failed(Step::SyncFolder, synced);
    return (folderPath.empty() ? std::string() : folderPath + (folderPath.ends_with('/') ? "" : "/")) + name;
  }
  return Failed(Step::Replace, EEXIST);
}

std::optional<AtomicWriteFailure> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  return WriteFileAtomically(path, [bytes](AtomicFileSink& sink) { return sink.write(bytes); });
}

WritePath ResolveWritePath(const std::string& path) {
  Destination to;
  if (auto failure = Resolve(path, to)) return {{}, std::move(failure)};
  if (::faccessat(to.folder.fd(), ".", W_OK, AT_EACCESS) != 0)
    return {{}, Refuse(errno, "you may not write in its folder " + to.folderPath)};
  return {to.folderPath + "/" + to.name, std::nullopt};
}

}  // namespace corvane

#include "app/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace corvane {

const char* FileKindName(mode_t mode) {
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISDIR(mode)) return "a folder";
  return nullptr;
}

int OpenInputFile(const std::string& path, std::string& why) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int error = errno;
    struct stat st {};
    // A socket cannot be opened at all; say what it is rather than "No such device".
    if (error == ENXIO && ::stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode))
      why = "it is a socket, not a regular file";
    else
      why = std::strerror(error);
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    why = std::strerror(errno);
    ::close(fd);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    const char* kind = FileKindName(st.st_mode);
    why = kind != nullptr ? std::string("it is ") + kind + ", not a regular file" : "it is not a regular file";
    ::close(fd);
    return -1;
  }
  // Reads of a regular file wait as usual.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

std::FILE* OpenInputStream(const std::string& path, std::string& why) {
  const int fd = OpenInputFile(path, why);
  if (fd < 0) return nullptr;
  std::FILE* stream = ::fdopen(fd, "rb");
  if (stream == nullptr) {
    why = std::strerror(errno);
    ::close(fd);
  }
  return stream;
}

}  // namespace corvane

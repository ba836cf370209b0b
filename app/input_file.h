#pragma once
#include <sys/types.h>

#include <cstdio>
#include <string>

namespace corvane {

// "a FIFO", "a socket", "a character device", "a block device", "a folder"; nullptr for a
// regular file or a link.
const char* FileKindName(mode_t mode);

// Opens a file the program reads as input (a chart file, a CSV batch) for reading. Only a
// regular file is taken: a FIFO, socket or device is refused at once. The open itself does
// not wait (a FIFO without a writer would block it for ever), and the kind of file is told
// from the opened descriptor, so a name swapped for something else after a check by name
// changes nothing. Returns the descriptor, or -1 with `why` saying what went wrong
// ("No such file or directory", "it is a FIFO, not a regular file").
int OpenInputFile(const std::string& path, std::string& why);

// The same as a stdio stream ("rb"), or nullptr with `why`.
std::FILE* OpenInputStream(const std::string& path, std::string& why);

}  // namespace corvane

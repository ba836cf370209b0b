#pragma once
#include <signal.h>

namespace corvane {

// While a long command runs (a batch, an import), SIGINT and SIGTERM stop it at the next
// safe point instead of wherever it is: the handler only notes the signal, and the command
// asks Received() between two steps (a batch between chunks, so the lines in flight are
// written whole; an import between files, so its transaction is rolled back). Writes and
// reads are restarted after the handler. The handler then gives way to the default action,
// so a second signal ends the program at once (a batch waiting for a line on a terminal).
class StopSignals {
 public:
  StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;
  ~StopSignals();
  // The signal (SIGINT or SIGTERM) that asked to stop; 0 while none has.
  static int Received();
  // Readable once a stop signal came, so that a wait for input (poll) sees the signal at once
  // whichever thread the kernel gave it to; -1 when no pipe could be made.
  static int Fd();

 private:
  struct sigaction oldInt_ {}, oldTerm_ {};
};

}  // namespace corvane

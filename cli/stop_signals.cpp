#include "cli/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include <csignal>

namespace corvane {
namespace {

volatile std::sig_atomic_t g_stopSignal = 0;
// The pipe the handler writes a byte into (see StopSignals::Fd).
int g_stopPipe[2] = {-1, -1};

extern "C" void NoteStopSignal(int signal) {
  const int saved = errno;
  g_stopSignal = signal;
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(g_stopPipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

StopSignals::StopSignals() {
  g_stopSignal = 0;
  if (g_stopPipe[0] < 0 && ::pipe2(g_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) g_stopPipe[0] = g_stopPipe[1] = -1;
  char drained[64];
  while (g_stopPipe[0] >= 0 && ::read(g_stopPipe[0], drained, sizeof drained) > 0) {
  }
  struct sigaction action {};
  action.sa_handler = NoteStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  ::sigaction(SIGINT, &action, &oldInt_);
  ::sigaction(SIGTERM, &action, &oldTerm_);
}

StopSignals::~StopSignals() {
  ::sigaction(SIGINT, &oldInt_, nullptr);
  ::sigaction(SIGTERM, &oldTerm_, nullptr);
}

int StopSignals::Received() { return g_stopSignal; }

int StopSignals::Fd() { return g_stopPipe[0]; }

}  // namespace corvane

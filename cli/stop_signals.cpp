#include "cli/stop_signals.h"

#include <csignal>

namespace corvane {
namespace {

volatile std::sig_atomic_t g_stopSignal = 0;

extern "C" void NoteStopSignal(int signal) { g_stopSignal = signal; }

}  // namespace

StopSignals::StopSignals() {
  g_stopSignal = 0;
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

}  // namespace corvane

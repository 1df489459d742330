#include "cli/StopSignals.h"

#include <signal.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace varnell {
namespace {

// Written only by the handler, which may run on any thread; lock-free so that the handler is
// async-signal-safe.
std::atomic<int> firstStopSignal{0};
std::atomic<int> stopSignalCount{0};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RecordStopSignal(int signal) {
  int none = 0;
  firstStopSignal.compare_exchange_strong(none, signal);
  stopSignalCount.fetch_add(1);
}

}  // namespace

bool InstallStopSignalHandlers(std::string* error) {
  struct sigaction record {};
  record.sa_handler = RecordStopSignal;
  record.sa_flags = SA_RESTART;  // a write that a signal interrupts goes on
  sigemptyset(&record.sa_mask);
  for (const int signal : kStopSignals) {
    if (sigaction(signal, &record, nullptr) != 0) {
      *error = std::string("cannot handle ") + StopSignalName(signal) + ": " + std::strerror(errno);
      return false;
    }
  }
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  if (sigaction(SIGPIPE, &ignore, nullptr) != 0) {
    *error = std::string("cannot ignore SIGPIPE: ") + std::strerror(errno);
    return false;
  }
  return true;
}

int FirstStopSignal() { return firstStopSignal.load(); }

int StopSignalCount() { return stopSignalCount.load(); }

const char* StopSignalName(int signal) {
  switch (signal) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
    default: return "a signal";
  }
}

}  // namespace varnell

#include "cli/StopSignals.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "engine/BatchSession.h"

namespace varnell {
namespace {

// Written by the handler, which runs on the thread that runs the batch (every other thread has
// the stop signals blocked); lock-free so that the handler is async-signal-safe.
std::atomic<int> firstStopSignal{0};
std::atomic<int> stopSignalCount{0};
std::atomic<BatchSession*> stopTarget{nullptr};
static_assert(std::atomic<int>::is_always_lock_free);
static_assert(std::atomic<BatchSession*>::is_always_lock_free);

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RecordStopSignal(int signal) {
  int none = 0;
  firstStopSignal.compare_exchange_strong(none, signal);
  stopSignalCount.fetch_add(1);
  // Stop only stores a lock-free atomic flag.
  if (BatchSession* session = stopTarget.load()) session->Stop();
}

}  // namespace

bool InstallStopSignalHandlers(std::string* error) {
  struct sigaction record {};
  record.sa_handler = RecordStopSignal;
  // No SA_RESTART: a result line's write that a stop interrupts returns, and the rest of the
  // line waits only briefly for a reader (ResultLines).
  record.sa_flags = 0;
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
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    case SIGHUP:
      return "SIGHUP";
    default:
      return "a signal";
  }
}

StopSignalTarget::StopSignalTarget(BatchSession& session) {
  stopTarget.store(&session);
  if (FirstStopSignal() != 0) session.Stop();
}

StopSignalTarget::~StopSignalTarget() { stopTarget.store(nullptr); }

void StartWithStopSignalsBlocked(const std::function<void()>& start) {
  sigset_t stops;
  sigemptyset(&stops);
  for (const int signal : kStopSignals) sigaddset(&stops, signal);
  sigset_t previous;
  pthread_sigmask(SIG_BLOCK, &stops, &previous);
  start();
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

}  // namespace varnell

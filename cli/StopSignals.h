// The signals that stop varnell-convert the way Ctrl+C does: SIGINT, SIGTERM and SIGHUP. The
// handlers record the signal and set the stop flag of the engine that runs the batch, so that no
// file starts after the signal even while the calling thread is held up (writing a result line
// to a reader that does not read); the calling thread reads the record to announce the stop and
// choose the exit status, and the files being converted end as shorter valid files. A second
// stop signal, of any of the three kinds, changes nothing: the stop already under way goes on
// (SIGKILL is what ends the program at once). SIGPIPE is ignored: a closed standard output shows
// as a failed write.
#pragma once

#include <functional>
#include <string>

namespace varnell {

// Installs the handlers; once, before any thread starts. False with the reason in *error.
bool InstallStopSignalHandlers(std::string* error);

// The first stop signal received, or 0 while none came. Any thread.
int FirstStopSignal();

// How many stop signals have come so far. Any thread.
int StopSignalCount();

// "SIGINT", "SIGTERM", "SIGHUP".
const char* StopSignalName(int signal);

class BatchSession;

// While it lives, a stop signal stops the session's batch from the handler; one that came before
// stops it at once. Made once the batch has started and destroyed after it has been waited for,
// on the thread that runs the batch.
class StopSignalTarget {
 public:
  explicit StopSignalTarget(BatchSession& session);
  StopSignalTarget(const StopSignalTarget&) = delete;
  StopSignalTarget& operator=(const StopSignalTarget&) = delete;
  ~StopSignalTarget();
};

// Runs `start` (which starts the engine's worker) with the stop signals blocked on this thread, so
// that the worker and every thread it starts inherit them blocked: the signals then reach only
// the calling thread, whose write of a result line they interrupt.
void StartWithStopSignalsBlocked(const std::function<void()>& start);

}  // namespace varnell

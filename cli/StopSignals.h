// The signals that stop varnell-convert the way Ctrl+C does: SIGINT, SIGTERM and SIGHUP. The
// handlers only record the signal; the calling thread's progress loop reads the record and stops
// the batch, so the files being converted end as shorter valid files. A second stop signal, of
// any of the three kinds, changes nothing: the stop already under way goes on (SIGKILL is what
// ends the program at once). SIGPIPE is ignored: a closed standard output shows as a failed write.
#pragma once

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

}  // namespace varnell

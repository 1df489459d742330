// The result lines varnell-convert writes to standard output for scripts to read. Once a write
// fails (the reader went away, as `| head -n 1` does, or the disk is full) no further line is
// attempted and the batch is asked to stop.
#pragma once

#include <atomic>
#include <cstdio>
#include <string>

namespace varnell {

class ResultLines {
 public:
  explicit ResultLines(std::FILE* stream) : stream_(stream) {}

  // Writes the text and a newline and flushes them, so that a script sees each file as it ends.
  // False, now and for every later call, once a write has failed. Callers serialize the calls.
  bool Write(const std::string& line);

  // Any thread.
  bool closed() const { return closed_.load(); }

 private:
  std::FILE* stream_;
  std::atomic<bool> closed_{false};  // set by the writing thread, read by any thread
};

}  // namespace varnell

// The result lines varnell-convert writes to standard output for scripts to read. Once a write
// fails (the reader went away, as `| head -n 1` does, or the disk is full) no further line is
// attempted and the batch is asked to stop. After a stop a line waits for its reader only
// briefly: a reader that does not read (a stopped pipeline) must not hold the program's exit.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

namespace varnell {

class ResultLines {
 public:
  // How long the lines written after a stop, together, may wait for the reader.
  static constexpr std::chrono::seconds kWaitAfterStop{2};

  // `stopping` tells whether a stop has come (any thread may make it true; a stop signal also
  // interrupts the write under way).
  explicit ResultLines(
      std::FILE* stream, std::function<bool()> stopping = [] { return false; })
      : stream_(stream), stopping_(std::move(stopping)) {}

  // Writes the text and a newline at once, so that a script sees each file as it ends. False,
  // now and for every later call, once a write has failed or, after a stop, a line could not be
  // written within the wait. Callers serialize the calls.
  bool Write(const std::string& line);

  // Any thread.
  bool closed() const { return closed_.load(); }

 private:
  bool WriteAll(const std::string& text);
  bool WaitUntilWritable();

  std::FILE* stream_;
  std::function<bool()> stopping_;
  std::optional<std::chrono::steady_clock::time_point> giveUpAt_;
  std::atomic<bool> closed_{false};  // set by the writing thread, read by any thread
};

}  // namespace varnell

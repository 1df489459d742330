#include "cli/ResultLines.h"

#include <limits.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace varnell {

bool ResultLines::Write(const std::string& line) {
  if (closed_.load()) return false;
  if (!WriteAll(line + '\n')) closed_ = true;
  return !closed_.load();
}

// Straight to the descriptor rather than through stdio, so that a write a stop signal interrupts
// returns here instead of being retried with the stream's buffer in an unknown state.
bool ResultLines::WriteAll(const std::string& text) {
  if (std::fflush(stream_) != 0) return false;
  const int descriptor = fileno(stream_);
  std::size_t written = 0;
  while (written < text.size()) {
    std::size_t chunk = text.size() - written;
    if (stopping_()) {
      if (!WaitUntilWritable()) return false;
      // A pipe that polls writable takes PIPE_BUF bytes without blocking.
      chunk = std::min<std::size_t>(chunk, PIPE_BUF);
    }
    const ssize_t result = ::write(descriptor, text.data() + written, chunk);
    if (result < 0 && errno == EINTR) continue;
    if (result <= 0) return false;
    written += static_cast<std::size_t>(result);
  }
  return true;
}

// After a stop: true once the descriptor takes bytes, false when the shared wait has run out.
bool ResultLines::WaitUntilWritable() {
  const auto now = std::chrono::steady_clock::now();
  if (!giveUpAt_) giveUpAt_ = now + kWaitAfterStop;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        *giveUpAt_ - std::chrono::steady_clock::now());
    pollfd descriptor{fileno(stream_), POLLOUT, 0};
    const int ready =
        ::poll(&descriptor, 1, static_cast<int>(std::max<long long>(0, left.count())));
    if (ready > 0) return true;  // writable, or an error the write itself then reports
    if (ready == 0 || errno != EINTR) return false;
  }
}

}  // namespace varnell

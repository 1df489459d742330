#include "cli/ResultLines.h"

namespace varnell {

bool ResultLines::Write(const std::string& line) {
  if (closed_.load()) return false;
  const bool written = std::fputs(line.c_str(), stream_) >= 0 && std::fputc('\n', stream_) != EOF &&
                       std::fflush(stream_) == 0 && !std::ferror(stream_);
  if (!written) closed_ = true;
  return written;
}

}  // namespace varnell

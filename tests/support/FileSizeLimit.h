// Limits the size of files this process writes while it lives. SIGXFSZ is ignored as the
// programs ignore it at start-up, so that a write past the limit fails with EFBIG instead of
// killing the process.
#pragma once

#include <sys/resource.h>

#include "engine/FileSizeLimitSignal.h"

namespace varnell::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    IgnoreFileSizeLimitSignal();
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

 private:
  rlimit saved_{};
};

}  // namespace varnell::testing

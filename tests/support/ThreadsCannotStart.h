// Makes every thread started while it lives ask for more stack than the address space holds, so
// that no thread starts: how a test meets a system that refuses threads.
#pragma once

#include <pthread.h>

#include <cstddef>

namespace varnell::testing {

class ThreadsCannotStart {
 public:
  ThreadsCannotStart() {
    pthread_getattr_default_np(&saved_);
    pthread_attr_t huge;
    pthread_attr_init(&huge);
    pthread_attr_setstacksize(&huge, std::size_t{1} << 60);
    pthread_setattr_default_np(&huge);
    pthread_attr_destroy(&huge);
  }
  ThreadsCannotStart(const ThreadsCannotStart&) = delete;
  ThreadsCannotStart& operator=(const ThreadsCannotStart&) = delete;
  ~ThreadsCannotStart() {
    pthread_setattr_default_np(&saved_);
    pthread_attr_destroy(&saved_);
  }

 private:
  pthread_attr_t saved_{};
};

}  // namespace varnell::testing

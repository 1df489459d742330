#include "engine/FileSizeLimitSignal.h"

#include <signal.h>

namespace varnell {

void IgnoreFileSizeLimitSignal() {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGXFSZ, &ignore, nullptr);  // cannot fail for a valid signal number
}

}  // namespace varnell

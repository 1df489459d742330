// What a decoding thread reports back to the callers' thread about the file's end.
#pragma once

#include <atomic>

namespace varnell::player {

struct PlaybackOutcome {
  // The device has taken the last sound of the file; cleared by each restart.
  std::atomic<bool> reachedEnd{false};
  // Seconds at which the file's sound ends, measured by decoding to the end; 0 until then.
  std::atomic<double> measuredEndSeconds{0.0};
};

}  // namespace varnell::player

#include "playermodule/PulledAudioDevice.h"

#include <chrono>
#include <vector>

namespace varnell::player {
namespace {

// A decoding thread that queues nothing for this long has stopped (a file that breaks off, or a
// fault); what is left of the pull plays as silence rather than hanging the test.
constexpr auto kStalledDecoding = std::chrono::seconds(10);

}  // namespace

PulledAudioDevice::PulledAudioDevice(int frameRate, const std::atomic<int>& volume)
    : frameRate_(frameRate), volume_(volume) {}

int PulledAudioDevice::pull(float* out, int frameCount) {
  if (frameCount <= 0 || !playing_.load()) {
    return 0;
  }
  std::vector<float> played(static_cast<std::size_t>(frameCount) * kDeviceChannels, 0.0f);
  int taken = 0;
  if (SampleQueue* queue = queue_.load()) {
    while (taken < frameCount && queue->waitForFrames(frameCount - taken, kStalledDecoding)) {
      const int popped = queue->pop(
          played.data() + static_cast<std::ptrdiff_t>(taken) * kDeviceChannels, frameCount - taken);
      if (popped == 0) {
        break;  // finished and empty: the end of the sound
      }
      taken += popped;
    }
  }
  ApplyVolume(played.data(), taken, volume_.load());
  if (out != nullptr) {
    std::copy(played.begin(), played.end(), out);
  }
  return frameCount;
}

}  // namespace varnell::player

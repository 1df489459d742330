// Where the player's sound goes: the sound card (AudioDevice) or, for tests, a device that plays
// only as far as its caller pulls it (PulledAudioDevice). Both take float stereo frames from a
// SampleQueue at their own rate, apply the volume, and play silence when the queue has none.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>

#include "playermodule/SampleQueue.h"

namespace varnell::player {

inline constexpr int kDeviceChannels = 2;
inline constexpr int kMaximumVolume = 65535;

class AudioOutput {
 public:
  AudioOutput() = default;
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;
  virtual ~AudioOutput() = default;

  virtual int frameRate() const = 0;
  // The queue the device plays from; it must outlive the device or be detached first.
  virtual void attach(SampleQueue* queue) = 0;
  virtual void play() = 0;
  virtual void pause() = 0;
};

// Scales the first `frameCount` frames in place to the volume, 0 .. kMaximumVolume.
inline void ApplyVolume(float* frames, int frameCount, int volume) {
  if (volume >= kMaximumVolume) {
    return;
  }
  const float gain = static_cast<float>(volume) / kMaximumVolume;
  std::for_each(frames, frames + static_cast<std::ptrdiff_t>(frameCount) * kDeviceChannels,
                [gain](float& sample) { sample *= gain; });
}

}  // namespace varnell::player

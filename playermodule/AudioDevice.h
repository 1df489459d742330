// The sound device, through SDL2 audio: float stereo at the rate the device accepts. The SDL
// audio thread takes frames from the SampleQueue and applies the volume; an empty queue plays
// silence.
#pragma once

#include <SDL2/SDL.h>

#include <atomic>
#include <memory>

#include "playermodule/AudioOutput.h"

namespace varnell::player {

class AudioDevice final : public AudioOutput {
 public:
  // Opens the default output device paused, asking for `preferredRate`. SDL's audio subsystem is
  // initialised for each device, so the driver named in SDL_AUDIODRIVER is the one in force now.
  // Null when there is no usable device.
  static std::unique_ptr<AudioDevice> Open(int preferredRate, const std::atomic<int>& volume);
  ~AudioDevice() override;

  int frameRate() const override { return frameRate_; }
  void attach(SampleQueue* queue) override;
  void play() override;
  void pause() override;

 private:
  AudioDevice(const std::atomic<int>& volume) : volume_(volume) {}
  static void FillCallback(void* self, Uint8* stream, int length);
  void fill(float* out, int frameCount);

  const std::atomic<int>& volume_;
  bool subsystemStarted_ = false;
  SDL_AudioDeviceID device_ = 0;
  int frameRate_ = 0;
  SampleQueue* queue_ = nullptr;  // changed only with the device locked
};

}  // namespace varnell::player

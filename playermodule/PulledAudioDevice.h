// A device without a clock of its own, for tests: it plays exactly as many frames as its caller
// pulls, so a test says how far playback goes instead of waiting for a sound card. It never
// runs dry: a pull waits for the decoding thread to have queued the frames, and only after the
// end of the sound (or a decoding thread that has stopped feeding it) plays silence.
//
// Threads: the caller of pull() stands in for the sound card's thread; it, attach(), play() and
// pause() all run under the player's mutex, so they never overlap.
#pragma once

#include <atomic>
#include <memory>

#include "playermodule/AudioOutput.h"

namespace varnell::player {

class PulledAudioDevice final : public AudioOutput {
 public:
  PulledAudioDevice(int frameRate, const std::atomic<int>& volume);

  int frameRate() const override { return frameRate_; }
  void attach(SampleQueue* queue) override { queue_.store(queue); }
  void play() override { playing_.store(true); }
  void pause() override { playing_.store(false); }

  // Plays frameCount frames into `out` (frameCount x 2 floats; may be null to discard them).
  // Returns the frames played: frameCount, or 0 while paused, when nothing plays.
  int pull(float* out, int frameCount);

 private:
  const int frameRate_;
  const std::atomic<int>& volume_;
  std::atomic<SampleQueue*> queue_{nullptr};
  std::atomic<bool> playing_{false};
};

}  // namespace varnell::player

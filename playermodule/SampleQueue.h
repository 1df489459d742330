// The sound between the decoding thread and the device: interleaved float frames at the
// device's rate and channel count, and the count of frames the device has taken, which is the
// position heard.
//
// Threads: the decoding thread pushes and marks the end; the device's thread (SDL's audio
// thread) pops; the callers' thread restarts the queue at a new position, only while no decoding
// thread runs, and reads the position. Everything is guarded by one mutex; the device's pops wake
// the decoding thread and the decoding thread's pushes wake a device waiting for frames.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stop_token>
#include <vector>

namespace varnell::player {

class SampleQueue {
 public:
  SampleQueue(int frameRate, int channels, int capacityFrames);
  SampleQueue(const SampleQueue&) = delete;
  SampleQueue& operator=(const SampleQueue&) = delete;

  int frameRate() const { return frameRate_; }
  int channels() const { return channels_; }

  // Empties the queue and makes `seconds` the position of the next frame pushed.
  void restartAt(double seconds);

  // Decoding thread. Blocks while the queue is full; false when a stop was requested first.
  bool push(const float* frames, int frameCount, std::stop_token stop);
  bool pushSilence(long long frameCount, std::stop_token stop);
  // No more frames will be pushed until the next restart.
  void finish();
  // True once finish() was called and the device has taken every frame; false on timeout or stop.
  bool waitUntilDrained(std::stop_token stop, std::chrono::milliseconds timeout);

  // The device's thread: copies up to frameCount frames; returns how many.
  int pop(float* out, int frameCount);
  // The device's thread, for a device that must not run dry: waits until frameCount frames (at
  // most a full queue) are queued or no more will come. False when `timeout` passed first.
  bool waitForFrames(int frameCount, std::chrono::milliseconds timeout);

  // Seconds of the frame the device takes next.
  double heardSeconds() const;

 private:
  bool pushFrom(const float* frames, long long frameCount, std::stop_token& stop,
                std::unique_lock<std::mutex>& lock);

  const int frameRate_;
  const int channels_;
  mutable std::mutex mutex_;
  std::condition_variable_any changed_;
  std::vector<float> ring_;  // capacity x channels values
  std::size_t head_ = 0;     // first frame to pop
  std::size_t size_ = 0;     // frames queued
  double startSeconds_ = 0.0;
  std::int64_t poppedFrames_ = 0;
  bool finished_ = false;
};

}  // namespace varnell::player

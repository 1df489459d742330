#include "playermodule/SampleQueue.h"

#include <algorithm>

namespace varnell::player {
namespace {

constexpr int kSilenceBlockFrames = 1024;

}  // namespace

SampleQueue::SampleQueue(int frameRate, int channels, int capacityFrames)
    : frameRate_(frameRate),
      channels_(channels),
      ring_(static_cast<std::size_t>(std::max(1, capacityFrames)) *
            static_cast<std::size_t>(channels)) {}

void SampleQueue::restartAt(double seconds) {
  const std::lock_guard lock(mutex_);
  head_ = 0;
  size_ = 0;
  startSeconds_ = seconds;
  poppedFrames_ = 0;
  finished_ = false;
}

bool SampleQueue::push(const float* frames, int frameCount, std::stop_token stop) {
  std::unique_lock lock(mutex_);
  return pushFrom(frames, frameCount, stop, lock);
}

bool SampleQueue::pushSilence(long long frameCount, std::stop_token stop) {
  const std::vector<float> silence(static_cast<std::size_t>(kSilenceBlockFrames) * channels_, 0.0f);
  std::unique_lock lock(mutex_);
  while (frameCount > 0) {
    const long long block = std::min<long long>(frameCount, kSilenceBlockFrames);
    if (!pushFrom(silence.data(), block, stop, lock)) {
      return false;
    }
    frameCount -= block;
  }
  return true;
}

bool SampleQueue::pushFrom(const float* frames, long long frameCount, std::stop_token& stop,
                           std::unique_lock<std::mutex>& lock) {
  const std::size_t capacity = ring_.size() / channels_;
  while (frameCount > 0) {
    if (!changed_.wait(lock, stop, [&] { return size_ < capacity; })) {
      return false;
    }
    const std::size_t tail = (head_ + size_) % capacity;
    const std::size_t room = std::min(capacity - size_, capacity - tail);
    const std::size_t count = std::min<std::size_t>(room, static_cast<std::size_t>(frameCount));
    std::copy_n(frames, count * channels_,
                ring_.begin() + static_cast<std::ptrdiff_t>(tail * channels_));
    size_ += count;
    frames += count * channels_;
    frameCount -= static_cast<long long>(count);
    changed_.notify_all();
  }
  return true;
}

void SampleQueue::finish() {
  {
    const std::lock_guard lock(mutex_);
    finished_ = true;
  }
  changed_.notify_all();
}

bool SampleQueue::waitUntilDrained(std::stop_token stop, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, stop, timeout, [&] { return finished_ && size_ == 0; });
}

int SampleQueue::pop(float* out, int frameCount) {
  int taken = 0;
  {
    const std::lock_guard lock(mutex_);
    const std::size_t capacity = ring_.size() / channels_;
    while (taken < frameCount && size_ > 0) {
      const std::size_t count =
          std::min({size_, capacity - head_, static_cast<std::size_t>(frameCount - taken)});
      std::copy_n(ring_.begin() + static_cast<std::ptrdiff_t>(head_ * channels_), count * channels_,
                  out + static_cast<std::size_t>(taken) * channels_);
      head_ = (head_ + count) % capacity;
      size_ -= count;
      taken += static_cast<int>(count);
    }
    poppedFrames_ += taken;
  }
  if (taken > 0) {
    changed_.notify_all();
  }
  return taken;
}

bool SampleQueue::waitForFrames(int frameCount, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  const std::size_t wanted =
      std::min(static_cast<std::size_t>(std::max(frameCount, 0)), ring_.size() / channels_);
  return changed_.wait_for(lock, timeout, [&] { return finished_ || size_ >= wanted; });
}

double SampleQueue::heardSeconds() const {
  const std::lock_guard lock(mutex_);
  return startSeconds_ + static_cast<double>(poppedFrames_) / frameRate_;
}

}  // namespace varnell::player

#include "playermodule/PictureTrack.h"

namespace varnell::player {
namespace {

// About two seconds of video at 25 frames per second.
constexpr std::size_t kMaximumWaitingFrames = 48;

}  // namespace

void PictureTrack::clear() {
  const std::lock_guard lock(mutex_);
  waiting_.clear();
  shown_.reset();
}

void PictureTrack::push(FramePtr frame, double seconds) {
  const std::lock_guard lock(mutex_);
  if (waiting_.size() >= kMaximumWaitingFrames) {
    shown_ = std::move(waiting_.front().frame);
    waiting_.pop_front();
  }
  waiting_.push_back(TimedFrame{std::move(frame), seconds});
}

FramePtr PictureTrack::pictureAt(double seconds) {
  const std::lock_guard lock(mutex_);
  while (!waiting_.empty() && (waiting_.front().seconds <= seconds || !shown_)) {
    shown_ = std::move(waiting_.front().frame);
    waiting_.pop_front();
  }
  return shown_ ? CloneFrame(*shown_) : nullptr;
}

}  // namespace varnell::player

// Decides, frame by frame in decoding order, which frames of a source survive a lower target
// rate: a frame is kept when its time at the source rate has reached the next output slot at the
// target rate, so drops are spread evenly (30 -> 15 keeps every second frame, 29.97 -> 25 drops
// one in six) and the first frame is always kept. Frames are never repeated or reordered. A
// target rate of 0, or one at or above the source's, keeps every frame. Owned by one reader.
#pragma once

#include <cstdint>

#include "media/FFmpegHandles.h"

namespace varnell {

class FrameRateReducer {
 public:
  FrameRateReducer(AVRational sourceRate, AVRational targetRate);

  // For the next input frame: true when it is to be written.
  bool Keep();

 private:
  bool keepAll_ = true;
  AVRational source_{0, 1};
  AVRational target_{0, 1};
  std::int64_t inputFrames_ = 0;
  std::int64_t keptFrames_ = 0;
};

}  // namespace varnell

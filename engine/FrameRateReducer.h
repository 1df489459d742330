// Places the frames of a source, one by one in decoding order, on the output's frame slots at the
// target rate: frame i goes to slot floor(i x target / source). Where a lower target rate gives
// two frames the same slot, the later is dropped, so drops are spread evenly (30 -> 15 keeps
// every second frame, 29.97 -> 25 drops one in six) and the first frame is always kept. Where a
// higher target rate leaves slots between two frames, they stay empty: frames are never repeated
// or reordered, and each keeps its time, so the video lasts as long as its source at any rate.
// A target rate of 0 (unknown) or equal to the source's keeps every frame in its own slot. Owned
// by one reader.
#pragma once

#include <cstdint>
#include <optional>

#include "media/FFmpegHandles.h"

namespace varnell {

class FrameRateReducer {
 public:
  FrameRateReducer(AVRational sourceRate, AVRational targetRate);

  // For the next input frame: its slot (counted from the first frame's, 0), or nothing when it
  // is dropped.
  std::optional<std::int64_t> Place();

 private:
  bool oneToOne_ = true;
  std::int64_t slotsPerFrameNum_ = 1;  // target / source as a fraction
  std::int64_t slotsPerFrameDen_ = 1;
  std::int64_t inputFrames_ = 0;
  std::int64_t lastSlot_ = -1;
};

}  // namespace varnell

#include "engine/FrameRateReducer.h"

namespace varnell {

FrameRateReducer::FrameRateReducer(AVRational sourceRate, AVRational targetRate) {
  const bool known =
      sourceRate.num > 0 && sourceRate.den > 0 && targetRate.num > 0 && targetRate.den > 0;
  oneToOne_ = !known || av_cmp_q(targetRate, sourceRate) == 0;
  slotsPerFrameNum_ = static_cast<std::int64_t>(targetRate.num) * sourceRate.den;
  slotsPerFrameDen_ = static_cast<std::int64_t>(targetRate.den) * sourceRate.num;
}

std::optional<std::int64_t> FrameRateReducer::Place() {
  const std::int64_t frame = inputFrames_++;
  const std::int64_t slot =
      oneToOne_ ? frame
                : av_rescale_rnd(frame, slotsPerFrameNum_, slotsPerFrameDen_, AV_ROUND_DOWN);
  if (slot <= lastSlot_) return std::nullopt;
  lastSlot_ = slot;
  return slot;
}

}  // namespace varnell

#include "engine/FrameRateReducer.h"

namespace varnell {

FrameRateReducer::FrameRateReducer(AVRational sourceRate, AVRational targetRate)
    : source_(sourceRate), target_(targetRate) {
  const bool known =
      sourceRate.num > 0 && sourceRate.den > 0 && targetRate.num > 0 && targetRate.den > 0;
  keepAll_ = !known || av_cmp_q(targetRate, sourceRate) >= 0;
}

bool FrameRateReducer::Keep() {
  if (keepAll_) return true;
  // input frame i is at i / source; output slot k is at k / target. Exact in integers:
  // i * source.den * target.num >= k * target.den * source.num.
  const std::int64_t frame = inputFrames_++;
  if (frame * source_.den * target_.num < keptFrames_ * target_.den * source_.num) return false;
  ++keptFrames_;
  return true;
}

}  // namespace varnell

#include "engine/MergeProgress.h"

#include <algorithm>

namespace varnell {
namespace {

constexpr int kHighestBeforeCompletion = 99;

}  // namespace

MergeProgress::MergeProgress(double totalSeconds, std::atomic<int>& percent)
    : totalSeconds_(totalSeconds), percent_(percent) {
  percent_ = 0;
}

void MergeProgress::Report(double mergedSeconds) {
  if (totalSeconds_ <= 0.0) return;
  const double share = std::min(mergedSeconds * 100.0 / totalSeconds_,
                                static_cast<double>(kHighestBeforeCompletion));
  const int percent = static_cast<int>(share);
  if (percent <= shown_) return;
  shown_ = percent;
  percent_ = percent;
}

void MergeProgress::Complete() {
  shown_ = 100;
  percent_ = 100;
}

}  // namespace varnell

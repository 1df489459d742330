#include "engine/MergeProgress.h"

#include <algorithm>

#include "engine/RowLedger.h"

namespace varnell {
namespace {

constexpr int kHighestBeforeCompletion = 99;

}  // namespace

void MergeProgress::SetRow(int row) {
  row_ = row;
  ledger_.Percent(row_, shown_);
}

void MergeProgress::Report(double mergedSeconds) {
  if (totalSeconds_ <= 0.0) return;
  const double share = std::min(mergedSeconds * 100.0 / totalSeconds_,
                                static_cast<double>(kHighestBeforeCompletion));
  const int percent = static_cast<int>(share);
  if (percent <= shown_) return;
  shown_ = percent;
  ledger_.Percent(row_, percent);
}

void MergeProgress::Complete() {
  shown_ = 100;
  ledger_.Percent(row_, 100);
}

}  // namespace varnell

// Where a converting row reports its percent: its own value, and the batch's current percent
// while the row is the one the batch waits for (currentTaskIndex). Each row thread writes only
// its own row's value; the current percent is also written by the thread that moves the index
// on (to the new row's value), so neither loses the other's latest figure.
#pragma once

#include <atomic>

namespace varnell {

class RowProgress {
 public:
  // A row converted alone: the percent is the only figure.
  RowProgress(std::atomic<int>& percent) : rowPercent_(percent) {}  // NOLINT: implicit on purpose
  RowProgress(std::atomic<int>& rowPercent, int row, const std::atomic<int>& currentRow,
              std::atomic<int>& currentPercent)
      : rowPercent_(rowPercent), row_(row), currentRow_(&currentRow), currentPercent_(&currentPercent) {}

  void Set(int percent) const {
    rowPercent_ = percent;
    if (currentRow_ != nullptr && currentRow_->load() == row_) *currentPercent_ = percent;
  }

 private:
  std::atomic<int>& rowPercent_;
  int row_ = -1;
  const std::atomic<int>* currentRow_ = nullptr;
  std::atomic<int>* currentPercent_ = nullptr;
};

}  // namespace varnell

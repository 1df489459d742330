#include "engine/BatchProgress.h"

namespace varnell {

BatchProgress::Look BatchProgress::WaitForChange(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, timeout, [this] { return changedSinceLook_; });
  changedSinceLook_ = false;
  Look look;
  look.ended = std::move(ended_);
  ended_.clear();
  for (const auto& [row, percent] : active_) look.active.push_back({row, percent});
  look.endedRows = endedRows_;
  look.batchEnded = batchEnded_;
  look.batchOutcome = batchOutcome_;
  return look;
}

void BatchProgress::RowStarted(int row) {
  {
    std::lock_guard lock(mutex_);
    active_[row] = -1;
    changedSinceLook_ = true;
  }
  changed_.notify_all();
}

void BatchProgress::RowPercent(int row, int percent) {
  std::lock_guard lock(mutex_);
  if (const auto found = active_.find(row); found != active_.end()) found->second = percent;
}

void BatchProgress::RowPassed(int row) {
  {
    std::lock_guard lock(mutex_);
    active_.erase(row);
    passed_.insert(row);
    ++endedRows_;
    changedSinceLook_ = true;
  }
  changed_.notify_all();
}

void BatchProgress::RowEnded(int row, const RowOutcome& outcome) {
  {
    std::lock_guard lock(mutex_);
    active_.erase(row);
    // A merged row was counted when the merge passed it.
    if (passed_.erase(row) == 0) ++endedRows_;
    ended_.emplace_back(row, outcome);
    changedSinceLook_ = true;
  }
  changed_.notify_all();
}

void BatchProgress::BatchEnded(const BatchOutcome& outcome) {
  {
    std::lock_guard lock(mutex_);
    active_.clear();
    batchEnded_ = true;
    batchOutcome_ = outcome;
    changedSinceLook_ = true;
  }
  changed_.notify_all();
}

}  // namespace varnell

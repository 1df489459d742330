// An observer that keeps everything a batch tells it, for a test thread to wait on: each row's
// percents as they came, the rows started and passed, the outcomes in the order reported, and
// the batch's end. WaitFor waits on a condition variable; its deadline only keeps a broken run
// from hanging the suite.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "engine/BatchObserver.h"

namespace varnell::testing {

class BatchRecorder : public BatchObserver {
 public:
  struct Seen {
    std::vector<int> started;
    std::vector<int> passed;
    std::map<int, std::vector<int>> percents;  // row -> every percent reported, in order
    std::vector<std::pair<int, RowOutcome>> ended;
    std::optional<BatchOutcome> batch;
    int lastPercent(int row) const {
      const auto found = percents.find(row);
      return found == percents.end() || found->second.empty() ? -1 : found->second.back();
    }
  };

  // Waits until `condition` holds for what was seen; fails the test when it never does.
  void WaitFor(const std::function<bool(const Seen&)>& condition) {
    std::unique_lock lock(mutex_);
    const bool met =
        changed_.wait_for(lock, std::chrono::minutes(2), [&] { return condition(seen_); });
    ASSERT_TRUE(met) << "the batch never got there";
  }
  Seen seen() {
    std::lock_guard lock(mutex_);
    return seen_;
  }
  // The outcomes by row, once the batch has ended.
  std::vector<RowOutcome> outcomes() {
    std::lock_guard lock(mutex_);
    std::vector<RowOutcome> byRow(seen_.ended.size());
    for (const auto& [row, outcome] : seen_.ended) {
      if (row >= 0 && static_cast<std::size_t>(row) < byRow.size()) byRow[row] = outcome;
    }
    return byRow;
  }

  void RowStarted(int row) override {
    Record([&] { seen_.started.push_back(row); });
  }
  void RowPercent(int row, int percent) override {
    Record([&] { seen_.percents[row].push_back(percent); });
  }
  void RowPassed(int row) override {
    Record([&] { seen_.passed.push_back(row); });
  }
  void RowEnded(int row, const RowOutcome& outcome) override {
    Record([&] { seen_.ended.emplace_back(row, outcome); });
  }
  void BatchEnded(const BatchOutcome& outcome) override {
    Record([&] { seen_.batch = outcome; });
  }

 private:
  void Record(const std::function<void()>& change) {
    {
      std::lock_guard lock(mutex_);
      change();
    }
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  Seen seen_;
};

}  // namespace varnell::testing

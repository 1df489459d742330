// Where the rows of a running batch keep their state, and the one place that tells the
// observer. A row's outcome is final once it is reported, and outcomes are reported in row
// order: an outcome that arrives while an earlier row has none waits for it. A merge holds its
// rows' outcomes back until the merged output is finished, then settles them together.
//
// Threads: the worker thread and its row threads call it; each row's percent is written by the
// one thread converting that row. The mutex guards the outcomes and is held while the observer's
// RowEnded runs, so those calls come one at a time and in order.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "engine/BatchObserver.h"

namespace varnell {

class RowLedger {
 public:
  RowLedger(int rows, BatchObserver& observer);

  int rows() const { return static_cast<int>(outcomes_.size()); }

  void Started(int row);
  // Tells the observer when the percent differs from the last one reported for the row.
  void Percent(int row, int percent);
  void Passed(int row);
  // The row's final outcome; reported once every earlier row has been.
  void End(int row, RowOutcome outcome);
  // A merge row's provisional outcome: nothing is reported until SettleHeld.
  void Hold(int row, RowOutcome outcome);
  // Makes every held outcome final: settle may change each one first (the merged output failed,
  // or was published under its name), then they are reported with End's rule.
  void SettleHeld(const std::function<void(RowOutcome&)>& settle);
  // Every row without an outcome ends NotStarted; then the observer hears that the batch ended.
  void EndBatch(const BatchOutcome& outcome);

 private:
  void ReportReady();  // with mutex_ held

  BatchObserver& observer_;
  std::vector<std::atomic<int>> percents_;
  std::mutex mutex_;
  std::vector<std::optional<RowOutcome>> outcomes_;
  std::vector<bool> held_;
  int reported_ = 0;
};

}  // namespace varnell

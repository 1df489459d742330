// A running batch as a thread that waits on it sees it: the outcomes that arrived since it last
// looked, the rows being converted with their percents, and whether the batch has ended. The
// engine's threads write it through the observer calls; the waiting thread takes what changed.
// A started, passed or ended row and the end of the batch wake the waiting thread; a percent
// does not (it is read at the next look), so a waiter redraws at its own pace.
#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "engine/BatchObserver.h"

namespace varnell {

class BatchProgress : public BatchObserver {
 public:
  struct ActiveRow {
    int row = 0;
    int percent = -1;  // -1 while the row opens
  };
  struct Look {
    std::vector<std::pair<int, RowOutcome>> ended;  // since the last look, in row order
    std::vector<ActiveRow> active;                  // in row order
    int endedRows = 0;  // rows ended so far, with the rows a merge has passed
    bool batchEnded = false;
    BatchOutcome batchOutcome;  // once batchEnded
  };

  // Waits until a row started, passed or ended, or the batch ended, since the last look, or
  // until the timeout; then returns what is new.
  Look WaitForChange(std::chrono::milliseconds timeout);

  void RowStarted(int row) override;
  void RowPercent(int row, int percent) override;
  void RowPassed(int row) override;
  void RowEnded(int row, const RowOutcome& outcome) override;
  void BatchEnded(const BatchOutcome& outcome) override;

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool changedSinceLook_ = false;
  std::map<int, int> active_;  // row -> percent
  std::set<int> passed_;       // rows a merge passed that have not ended yet
  std::vector<std::pair<int, RowOutcome>> ended_;
  int endedRows_ = 0;
  bool batchEnded_ = false;
  BatchOutcome batchOutcome_;
};

}  // namespace varnell

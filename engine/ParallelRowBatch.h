// A per-file batch: up to `threads` rows converted at once, each on a row thread of its own with
// its own readers and sinks.
//
// Rows are taken in row order. A row whose conversion has ended keeps its complete output under
// the hidden name (held open and locked, so no other run clears it) while an earlier row whose
// collision loop can meet its own (the same name, or song.mp3 and song(0).mp3) has not been
// named yet, so names are claimed in row order and the collision names come out as they would
// one row after another (song.mp3 for the first row, song(0).mp3 for the next); any other output
// is named as soon as it is complete. Outcomes go to the ledger in row order.
//
// Threads: Run() is called on the engine's worker thread, which converts rows itself and starts
// the other row threads; it joins them before it returns. Everything below the mutex is
// guarded by it.
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/CompletedOutput.h"
#include "engine/Job.h"
#include "engine/RowLedger.h"

namespace varnell {

class ParallelRowBatch {
 public:
  ParallelRowBatch(const Job& job, RowLedger& ledger, const std::atomic<bool>& stopRequested,
                   int threads)
      : job_(job), ledger_(ledger), stopRequested_(stopRequested), threads_(threads) {}

  // Converts the job's rows until the last has ended or, after a stop, until the rows already
  // begun have ended (shortened); rows not begun are left without an outcome. When fewer row
  // threads can be started than wanted, the batch goes on with those that did.
  void Run();

 private:
  struct RowEnd {
    std::optional<CompletedOutput> output;  // until published; never, for a row without a file
    RowOutcome outcome;                     // final once output is gone
  };

  // One row thread: takes the next row and converts it until there is none left.
  void ConvertRows();
  std::optional<int> TakeNextRow();
  RowEnd ConvertTakenRow(int row);
  // Keeps the row's end, names every output whose turn has come and gives the ledger the rows
  // that are now final, in row order.
  void EndRow(int row, RowEnd end);
  // True while a row before `row` that is not named yet (still converting, or waiting itself) may
  // claim a name that row's collision loop can arrive at.
  bool WaitsForAnEarlierName(int row) const;
  static void Publish(RowEnd& end);

  const Job& job_;
  RowLedger& ledger_;
  const std::atomic<bool>& stopRequested_;
  const int threads_;
  std::mutex mutex_;
  int nextRow_ = 0;
  int firstNotFinal_ = 0;
  std::vector<std::optional<RowEnd>> ended_;
};

}  // namespace varnell

// The per-file worker's batch: up to EffectiveRowWorkers() rows converted at once, each on a row
// thread of its own with its own readers and sinks, in one engine object.
//
// Rows are taken in row order. A row whose conversion has ended keeps its complete output under
// the hidden name until every row before it has been published or has failed; then it is
// published in its turn, so names are claimed in row order and the collision names come out as
// they would one row after another (song.mp3 for the first row, song(0).mp3 for the next).
// currentTaskIndex moves past a row only once its status, reason and output path are written.
//
// Threads: Run() is called on the engine's worker thread, which converts rows itself and starts
// the other row threads; it joins them before it returns. Everything below the mutex is
// guarded by it; the engine's per-row tables of a row are written only under it, at that row's
// turn, and the caller reads them once currentTaskIndex has passed the row.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/CompletedOutput.h"

namespace varnell {

class AVConvert;

class ParallelRowBatch {
 public:
  explicit ParallelRowBatch(AVConvert& engine) : engine_(engine) {}

  // Converts the job's rows until the last has ended or, after the stop flag was set, until the
  // rows already begun have ended (shortened); rows not begun stay pending. When fewer row
  // threads can be started than wanted, the batch goes on with those that did.
  void Run();

 private:
  struct RowEnd {
    std::optional<CompletedOutput> output;  // empty when the row failed or was passed over
    std::string failureReason;
  };

  // One row thread: takes the next row and converts it until there is none left.
  void ConvertRows();
  std::optional<int> TakeNextRow();
  RowEnd ConvertTakenRow(int row);
  // Keeps the row's end and publishes every row whose turn has come.
  void EndRow(int row, RowEnd end);
  void PublishInTurn(int row, RowEnd& end);

  AVConvert& engine_;
  std::mutex mutex_;
  int nextRow_ = 0;
  int firstUnpublished_ = 0;
  std::vector<std::optional<RowEnd>> ended_;
};

}  // namespace varnell

// The per-file worker's batch: up to EffectiveRowWorkers() rows converted at once, each on a row
// thread of its own with its own readers and sinks, in one engine object.
//
// Rows are taken in row order. A row whose conversion has ended keeps its complete output under
// the hidden name (held open and locked, so no other run clears it) while an earlier row whose collision loop can meet its own (the same name, or
// song.mp3 and song(0).mp3) has not been named yet, so names are claimed in row order and the
// collision names come out as they would one row after another (song.mp3 for the first row,
// song(0).mp3 for the next); any other output is named as soon as it is complete. Results are
// final in row order: currentTaskIndex moves past a row only once its status, reason and output
// path are written, and a row's status is written only when every row before it is final.
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
    std::optional<CompletedOutput> output;  // until published; never, for a failed row
    std::string failureReason;              // a failed or passed-over row's, or a failed publish's
    std::optional<FileConversionResult> published;
    bool failed = false;
  };

  // One row thread: takes the next row and converts it until there is none left.
  void ConvertRows();
  std::optional<int> TakeNextRow();
  RowEnd ConvertTakenRow(int row);
  // Keeps the row's end, names every output whose turn has come and writes the results of the
  // rows that are now final, in row order.
  void EndRow(int row, RowEnd end);
  // True while a row before `row` that is not named yet (still converting, or waiting itself) may
  // claim a name that row's collision loop can arrive at.
  bool WaitsForAnEarlierName(int row) const;
  static void Publish(RowEnd& end);
  void WriteResult(int row, RowEnd& end);

  AVConvert& engine_;
  std::mutex mutex_;
  int nextRow_ = 0;
  int firstNotFinal_ = 0;
  std::vector<std::optional<RowEnd>> ended_;
};

}  // namespace varnell

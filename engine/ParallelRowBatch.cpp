#include "engine/ParallelRowBatch.h"

#include <algorithm>
#include <system_error>
#include <thread>

#include "engine/AVConvert.h"
#include "engine/AbandonedTemporaries.h"
#include "engine/OutputNaming.h"
#include "engine/RowBoundary.h"

namespace varnell {

void ParallelRowBatch::Run() {
  AVConvert& e = engine_;
  for (auto& status : e.taskStatus_) status = kTaskPending;
  for (auto& running : e.rowRunning_) running = false;
  for (auto& percent : e.rowPercent_) percent = -1;
  ended_.clear();
  ended_.resize(static_cast<std::size_t>(std::max(e.rowCount, 0)));
  nextRow_ = 0;
  firstNotFinal_ = 0;
  e.currentTaskIndex = 0;
  RemoveAbandonedTemporariesOfJob(e);

  const int threads = std::min(e.EffectiveRowWorkers(), e.rowCount);
  std::vector<std::thread> others;
  for (int i = 1; i < threads; ++i) {
    try {
      others.emplace_back([this] { ConvertRows(); });
    } catch (const std::system_error&) {
      break;  // the rows go to the threads that did start, this one at least
    }
  }
  ConvertRows();
  for (std::thread& thread : others) thread.join();
}

void ParallelRowBatch::ConvertRows() {
  while (const std::optional<int> row = TakeNextRow()) {
    RowEnd end = ConvertTakenRow(*row);
    engine_.rowRunning_[*row] = false;
    EndRow(*row, std::move(end));
  }
}

std::optional<int> ParallelRowBatch::TakeNextRow() {
  std::lock_guard lock(mutex_);
  // Read here, before each row, so that after a stop no further row begins.
  if (engine_.stopFlag.load() || nextRow_ >= engine_.rowCount) return std::nullopt;
  const int row = nextRow_++;
  engine_.rowRunning_[row] = true;
  // The row the batch waits for is opening: its percent is -1 until it converts.
  if (row == firstNotFinal_) engine_.currentFilePercent = -1;
  return row;
}

ParallelRowBatch::RowEnd ParallelRowBatch::ConvertTakenRow(int row) {
  AVConvert& e = engine_;
  RowEnd end;
  if (std::optional<std::string> refusal = RowRefusal(e, row)) {
    end.failed = true;
    end.failureReason = std::move(*refusal);
    return end;
  }
  const RowProgress progress(e.rowPercent_[row], row, e.currentTaskIndex, e.currentFilePercent);
  RowResult result = ConvertRow(RequestForRow(e, row), e.stopFlag, progress);
  end.failed = !result.converted;
  end.output = std::move(result.converted);
  end.failureReason = std::move(result.failureReason);
  return end;
}

void ParallelRowBatch::EndRow(int row, RowEnd end) {
  AVConvert& e = engine_;
  std::lock_guard lock(mutex_);
  ended_[row] = std::move(end);
  // Naming one output can free a later one that waited for it, so the rows are gone through in
  // order, from the first that is not final.
  for (int waiting = firstNotFinal_; waiting < nextRow_; ++waiting) {
    std::optional<RowEnd>& candidate = ended_[waiting];
    if (candidate && !candidate->failed && !candidate->published && !WaitsForAnEarlierName(waiting)) {
      Publish(*candidate);
    }
  }
  while (firstNotFinal_ < e.rowCount && ended_[firstNotFinal_] &&
         (ended_[firstNotFinal_]->failed || ended_[firstNotFinal_]->published)) {
    WriteResult(firstNotFinal_, *ended_[firstNotFinal_]);
    ended_[firstNotFinal_].reset();
    const int next = ++firstNotFinal_;
    if (next < e.rowCount) {
      // The batch's percent follows the row it now waits for. Copied again after the index
      // moved, since the row's thread may have reported in between without mirroring it.
      e.currentFilePercent = e.rowPercent_[next].load();
      e.currentTaskIndex = next;
      e.currentFilePercent = e.rowPercent_[next].load();
    } else {
      e.currentTaskIndex = next;
    }
  }
}

bool ParallelRowBatch::WaitsForAnEarlierName(int row) const {
  const std::string& requested = engine_.outputPaths[row];
  for (int earlier = firstNotFinal_; earlier < row; ++earlier) {
    const std::optional<RowEnd>& end = ended_[earlier];
    const bool named = end && (end->failed || end->published);
    if (!named && !engine_.sourcePaths[earlier].empty() &&
        CollisionLoopsMeet(engine_.outputPaths[earlier], requested)) {
      return true;
    }
  }
  return false;
}

void ParallelRowBatch::Publish(RowEnd& end) {
  FileConversionResult published;
  if (std::optional<std::string> failure = FailureOf([&] { published = end.output->Publish(); })) {
    end.failed = true;
    end.failureReason = std::move(*failure);
  } else {
    end.published = std::move(published);
  }
  end.output.reset();
}

void ParallelRowBatch::WriteResult(int row, RowEnd& end) {
  AVConvert& e = engine_;
  if (end.failed) {
    e.failureReasons_[row] = std::move(end.failureReason);
    e.taskStatus_[row] = kTaskFailed;
    return;
  }
  FileConversionResult& published = *end.published;
  e.outputPaths[row] = published.outputPath;
  e.secondsWritten_[row] = published.seconds;
  e.failureReasons_[row] = std::move(published.note);
  // A row the stop ended stays pending; its shorter file is kept.
  if (!published.stopped) e.taskStatus_[row] = kTaskCompleted;
}

}  // namespace varnell

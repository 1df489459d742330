#include "engine/ParallelRowBatch.h"

#include <algorithm>
#include <system_error>
#include <thread>

#include "engine/OutputNaming.h"
#include "engine/RowBoundary.h"

namespace varnell {

void ParallelRowBatch::Run() {
  const int rows = static_cast<int>(job_.rows.size());
  ended_.clear();
  ended_.resize(job_.rows.size());
  const int threads = std::min(std::max(threads_, 1), rows);
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
  while (const std::optional<int> row = TakeNextRow()) EndRow(*row, ConvertTakenRow(*row));
}

std::optional<int> ParallelRowBatch::TakeNextRow() {
  std::lock_guard lock(mutex_);
  // Read here, before each row, so that after a stop no further row begins.
  if (stopRequested_.load() || nextRow_ >= static_cast<int>(job_.rows.size())) return std::nullopt;
  return nextRow_++;
}

ParallelRowBatch::RowEnd ParallelRowBatch::ConvertTakenRow(int row) {
  RowEnd end;
  if (std::optional<RowOutcome> refused = RowRefusal(job_, row)) {
    end.outcome = std::move(*refused);
    return end;
  }
  ledger_.Started(row);
  RowResult result =
      ConvertRow(RequestForRow(job_, row), stopRequested_, RowProgress(ledger_, row));
  if (result.converted) {
    end.output = std::move(result.converted);
  } else {
    end.outcome.status = RowOutcome::Status::Failed;
    end.outcome.reason = std::move(result.failureReason);
  }
  return end;
}

void ParallelRowBatch::EndRow(int row, RowEnd end) {
  std::lock_guard lock(mutex_);
  ended_[row] = std::move(end);
  // Naming one output can free a later one that waited for it, so the rows are gone through in
  // order, from the first that is not final.
  for (int waiting = firstNotFinal_; waiting < nextRow_; ++waiting) {
    std::optional<RowEnd>& candidate = ended_[waiting];
    if (candidate && candidate->output && !WaitsForAnEarlierName(waiting)) Publish(*candidate);
  }
  const int rows = static_cast<int>(job_.rows.size());
  while (firstNotFinal_ < rows && ended_[firstNotFinal_] && !ended_[firstNotFinal_]->output) {
    ledger_.End(firstNotFinal_, std::move(ended_[firstNotFinal_]->outcome));
    ended_[firstNotFinal_].reset();
    ++firstNotFinal_;
  }
}

bool ParallelRowBatch::WaitsForAnEarlierName(int row) const {
  const std::string& requested = job_.rows[row].outputPath;
  for (int earlier = firstNotFinal_; earlier < row; ++earlier) {
    const std::optional<RowEnd>& end = ended_[earlier];
    const bool named = end && !end->output;
    if (!named && job_.rows[earlier].selected() &&
        CollisionLoopsMeet(job_.rows[earlier].outputPath, requested)) {
      return true;
    }
  }
  return false;
}

void ParallelRowBatch::Publish(RowEnd& end) {
  FileConversionResult published;
  if (std::optional<std::string> failure = FailureOf([&] { published = end.output->Publish(); })) {
    end.outcome.status = RowOutcome::Status::Failed;
    end.outcome.reason = std::move(*failure);
  } else {
    // A row the stop ended keeps its shorter file.
    end.outcome.status =
        published.stopped ? RowOutcome::Status::Stopped : RowOutcome::Status::Completed;
    end.outcome.outputPath = std::move(published.outputPath);
    end.outcome.secondsWritten = published.seconds;
    end.outcome.note = std::move(published.note);
  }
  end.output.reset();
}

}  // namespace varnell

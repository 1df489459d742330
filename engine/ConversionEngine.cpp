#include "engine/ConversionEngine.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "engine/AbandonedTemporaries.h"
#include "engine/ExistingOutputs.h"
#include "engine/MergeBatch.h"
#include "engine/ParallelRowBatch.h"
#include "engine/RowLedger.h"

namespace varnell {

// The running or last batch: its job and its ledger. Made by Start on the owner's thread before
// the worker starts; read and written by the worker's threads until they are joined.
struct ConversionEngine::Batch {
  Batch(Job batchJob, BatchObserver& observer)
      : job(std::move(batchJob)), ledger(static_cast<int>(job.rows.size()), observer) {}

  Job job;
  RowLedger ledger;
};

ConversionEngine::ConversionEngine() = default;

ConversionEngine::~ConversionEngine() {
  Stop();
  Wait();
}

int ConversionEngine::effectiveRowWorkers() const {
  if (rowWorkers_ > 0) return rowWorkers_;
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void ConversionEngine::Start(Job job, BatchObserver& observer) {
  Wait();
  stopRequested_ = false;
  batch_ = std::make_unique<Batch>(std::move(job), observer);
  Batch& batch = *batch_;
  const int rowThreads = effectiveRowWorkers();
  try {
    worker_ = std::thread([this, &batch, rowThreads] {
      RemoveAbandonedTemporariesOfJob(batch.job);
      MarkExistingOutputs(batch.job);
      BatchOutcome outcome;
      if (batch.job.kind == JobKind::MergeFiles) {
        outcome = MergeRows(batch.job, batch.ledger, stopRequested_);
      } else {
        ParallelRowBatch(batch.job, batch.ledger, stopRequested_, rowThreads).Run();
      }
      outcome.stopped = stopRequested_.load();
      batch.ledger.EndBatch(outcome);
    });
  } catch (const std::system_error& error) {
    // No worker will report the rows, so they end here: every selected one failed.
    const std::string reason = std::string("cannot start the conversion thread: ") + error.what();
    for (int row = 0; row < batch.ledger.rows(); ++row) {
      RowOutcome outcome;
      if (batch.job.rows[row].selected()) {
        outcome.status = RowOutcome::Status::Failed;
        outcome.reason = reason;
      }
      batch.ledger.End(row, std::move(outcome));
    }
    BatchOutcome outcome;
    outcome.mergeFailureReason = reason;
    batch.ledger.EndBatch(outcome);
  }
}

void ConversionEngine::Wait() {
  if (worker_.joinable()) worker_.join();
}

}  // namespace varnell

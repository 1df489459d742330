// One batch as the window and varnell-convert both run it: the launch checks, the job built from
// the task rows and the output settings, the engine that converts it, and every row's outcome.
// A row that failed before the batch (its file did not probe) is passed over by the engine and
// ends Failed with its own reason.
//
// Threads: Start, Wait and the outcome accessors belong to the thread that owns the session;
// Stop may come from any thread or a signal handler. The front end's observer is called on the
// engine's threads, as BatchObserver says, with the outcomes already as the session records
// them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/BatchObserver.h"
#include "engine/BatchTimeLeft.h"
#include "engine/ConversionEngine.h"
#include "engine/ConversionJob.h"
#include "settings/OutputSettings.h"

namespace varnell {

struct BatchRequest {
  JobKind kind = JobKind::ConvertFiles;
  std::vector<TaskRow> rows;  // in the list's order
  // Per row, or empty: why the row fails without being converted; empty text for a row that is
  // converted as usual. Such a row is passed over whether checked or not.
  std::vector<std::string> rowFailures;
  std::string outputFolder;  // without a trailing "/"
  OutputChoice output;
  OutputSettings settings;
};

enum class LaunchRefusal {
  NoRows,             // the list is empty
  MergeNeedsTwoRows,  // a merge with fewer than two checked rows
  NothingChecked,
  NoOutputFolder,  // the folder is not a folder (a merge creates a missing one first)
};

class BatchSession : private BatchObserver {
 public:
  BatchSession() = default;
  // Stops and waits for a running batch.
  ~BatchSession() override;

  // Rows a per-file batch converts at once; 0 for one per core. Kept from batch to batch.
  void setRowWorkers(int workers) { engine_.setRowWorkers(workers); }
  int effectiveRowWorkers() const { return engine_.effectiveRowWorkers(); }

  // The checks, in the order the window makes them; then the batch starts, after an earlier one
  // has ended. Nothing when it started.
  std::optional<LaunchRefusal> Start(BatchRequest request, BatchObserver& frontEnd);
  void Stop() noexcept { engine_.Stop(); }
  void Wait() { engine_.Wait(); }

  // The rows the batch converts (checked and not failed before it).
  int checkedRows() const { return checkedRows_; }
  // The seconds of sound the batch converts, from its start.
  const BatchPlan& plan() const { return plan_; }
  // Valid once Wait has returned: one outcome per row of the request, and the batch's.
  const std::vector<RowOutcome>& outcomes() const { return outcomes_; }
  const BatchOutcome& outcome() const { return outcome_; }

 private:
  void RowStarted(int row) override { frontEnd_->RowStarted(row); }
  void RowPercent(int row, int percent) override { frontEnd_->RowPercent(row, percent); }
  void RowPassed(int row) override { frontEnd_->RowPassed(row); }
  void RowEnded(int row, const RowOutcome& outcome) override;
  void BatchEnded(const BatchOutcome& outcome) override;

  ConversionEngine engine_;
  BatchObserver* frontEnd_ = nullptr;
  std::vector<std::string> rowFailures_;
  int checkedRows_ = 0;
  BatchPlan plan_;
  // Written by the engine's threads (one RowEnded at a time), read by the owner after Wait.
  std::vector<RowOutcome> outcomes_;
  BatchOutcome outcome_;
};

}  // namespace varnell

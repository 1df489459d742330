#include "cli/MergeConverter.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <variant>

#include "cli/CommandLineRow.h"
#include "cli/StopSignals.h"
#include "engine/ConversionJob.h"

namespace varnell {

MergeConverter::MergeConverter(const CommandLineOptions& options, const OutputSettings& settings,
                               std::string formatName)
    : options_(options), settings_(settings), formatName_(std::move(formatName)) {}

MergedFile MergeConverter::Run(
    const std::function<void(const FileOutcome&)>& onOutcome,
    const std::function<void(const std::vector<ActiveFile>&, int ended)>& onTick,
    const std::function<bool()>& stopRequested) {
  // Every file is probed before the merge starts; a stop meanwhile starts nothing.
  probed_ = RowsForFiles(engine_, options_, stopRequested);
  if (stopRequested()) {
    onTick({}, 0);
    return {std::string(), "stopped before any sound", true};
  }
  BuildConversionJob(engine_, probed_.rows, options_.outputFolder, formatName_, settings_,
                     JobKind::MergeFiles);
  if (stopRequested()) engine_.stopFlag = true;
  const int total = static_cast<int>(probed_.rows.size());
  {
    const StopSignalTarget signalsStop(engine_.stopFlag);
    StartWithStopSignalsBlocked([this] { engine_.StartMergeFiles(); });
    // The files' lines wait for the merge's end: a merged file's sound is only kept once the
    // output is finished, and an output that fails later fails the files merged into it.
    while (engine_.IsWorkerRunning()) {
      if (!engine_.stopFlag.load() && stopRequested()) engine_.stopFlag = true;
      const int current = engine_.currentTaskIndex.load();
      std::vector<ActiveFile> active;
      if (current >= 0 && current < total) {
        active.push_back({options_.files[current], engine_.currentFilePercent.load()});
      }
      onTick(active, std::clamp(current, 0, total));
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    engine_.JoinWorker();
  }
  ReportEndedRows(onOutcome);
  onTick({}, reportedRows_);
  return {engine_.mergedOutputPath, engine_.mergeFailureReason, engine_.stopFlag.load()};
}

// Called once the worker has ended, when every row below currentTaskIndex is final. A stopped
// row stays pending: the output line that follows says what was kept.
void MergeConverter::ReportEndedRows(const std::function<void(const FileOutcome&)>& onOutcome) {
  const int ended = std::min(engine_.currentTaskIndex.load(), static_cast<int>(options_.files.size()));
  for (; reportedRows_ < ended; ++reportedRows_) {
    const int row = reportedRows_;
    FileOutcome outcome;
    outcome.sourcePath = options_.files[row];
    switch (engine_.taskStatus(row)) {
      case kTaskCompleted:
        outcome.kind = FileOutcome::Kind::Merged;
        outcome.note = engine_.failureReason(row);
        break;
      case kTaskFailed:
        outcome.kind = FileOutcome::Kind::Failed;
        outcome.reason = probed_.FailureReason(engine_, row);
        break;
      default:
        outcome.kind = FileOutcome::Kind::NotStarted;
        break;
    }
    onOutcome(outcome);
  }
}

}  // namespace varnell

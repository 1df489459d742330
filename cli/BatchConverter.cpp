#include "cli/BatchConverter.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

#include "cli/StopSignals.h"
#include "engine/ConversionJob.h"

namespace varnell {

BatchConverter::BatchConverter(const CommandLineOptions& options, const OutputSettings& settings,
                               std::string formatName)
    : options_(options), settings_(settings), formatName_(std::move(formatName)) {
  const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  const int files = static_cast<int>(std::min<std::size_t>(options.files.size(), std::numeric_limits<int>::max()));
  engine_.rowWorkers = std::max(1, std::min({options.jobs, files, kJobsPerCore * cores}));
}

void BatchConverter::Run(
    const std::function<void(const FileOutcome&)>& onOutcome,
    const std::function<void(const std::vector<ActiveFile>&, int ended)>& onTick,
    const std::function<bool()>& stopRequested) {
  probed_ = RowsForFiles(engine_, options_, stopRequested);
  // A stop while probing starts nothing: no file has begun, so none gets a line.
  if (stopRequested()) {
    onTick({}, 0);
    return;
  }
  BuildConversionJob(engine_, probed_.rows, options_.outputFolder, formatName_, settings_);
  {
    const StopSignalTarget signalsStop(engine_.stopFlag);
    StartWithStopSignalsBlocked([this] { engine_.StartConvertFiles(); });
    while (engine_.IsWorkerRunning()) {
      // Reported first, so that a line that could not be written (standard output closed) stops
      // the files being converted now rather than a tick later.
      ReportFinalRows(onOutcome);
      if (!engine_.stopFlag.load() && stopRequested()) engine_.stopFlag = true;
      Tick(onTick);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    engine_.JoinWorker();
  }
  ReportFinalRows(onOutcome);
  onTick({}, reportedRows_);
}

// Rows below currentTaskIndex are final; a stop leaves it at the first row that never started.
void BatchConverter::ReportFinalRows(const std::function<void(const FileOutcome&)>& onOutcome) {
  const int final = std::min(engine_.currentTaskIndex.load(), engine_.rowCount);
  for (; reportedRows_ < final; ++reportedRows_) onOutcome(OutcomeOf(reportedRows_));
}

FileOutcome BatchConverter::OutcomeOf(int row) const {
  FileOutcome outcome;
  outcome.sourcePath = probed_.rows[row].sourcePath;
  switch (engine_.taskStatus(row)) {
    case kTaskCompleted:
      outcome.kind = FileOutcome::Kind::Completed;
      outcome.outputPath = engine_.outputPaths[row];
      outcome.note = engine_.failureReason(row);
      break;
    case kTaskFailed:
      outcome.reason = probed_.FailureReason(engine_, row);
      break;
    default:
      // A row a stop ended keeps its shorter file, or none when it had no sound yet.
      outcome.kind = FileOutcome::Kind::Stopped;
      outcome.outputPath = engine_.outputPaths[row];
      outcome.reason = "stopped";
      break;
  }
  return outcome;
}

// The files being converted and how many have ended: those reported, and those past them whose
// row threads are done while an earlier file still runs (rows start in row order, so every row
// below the last running one has been taken).
void BatchConverter::Tick(
    const std::function<void(const std::vector<ActiveFile>&, int ended)>& onTick) const {
  std::vector<ActiveFile> running;
  int ended = reportedRows_;
  int idleSinceLastRunning = 0;
  for (int row = reportedRows_; row < engine_.rowCount; ++row) {
    if (engine_.rowRunning(row)) {
      running.push_back({probed_.rows[row].sourcePath, engine_.rowPercent(row)});
      ended += idleSinceLastRunning;
      idleSinceLastRunning = 0;
    } else {
      ++idleSinceLastRunning;
    }
  }
  onTick(running, ended);
}

}  // namespace varnell

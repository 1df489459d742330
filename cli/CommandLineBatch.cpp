#include "cli/CommandLineBatch.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

#include "cli/FolderArguments.h"
#include "cli/StopSignals.h"
#include "engine/BatchProgress.h"
#include "engine/BatchTimeLeft.h"
#include "engine/ChapterRows.h"
#include "engine/ClipTime.h"
#include "engine/SourceProbe.h"
#include "library/TrashedSources.h"

namespace varnell {
namespace {

constexpr std::chrono::milliseconds kRedrawInterval(100);

const char* RefusalText(LaunchRefusal refusal) {
  switch (refusal) {
    case LaunchRefusal::NoOutputFolder:
      return "the output folder is gone";
    case LaunchRefusal::MergeNeedsTwoRows:
      return "a merge needs two files";
    default:
      return "nothing to convert";
  }
}

}  // namespace

CommandLineBatch::CommandLineBatch(const CommandLineOptions& options,
                                   const OutputSettings& settings, OutputChoice output,
                                   std::vector<std::string> outputSubfolders,
                                   std::vector<std::optional<ProbeResult>> probes,
                                   std::vector<FileChapter> chapters)
    : options_(options),
      settings_(settings),
      output_(std::move(output)),
      outputSubfolders_(std::move(outputSubfolders)),
      probes_(std::move(probes)),
      chapters_(std::move(chapters)) {
  const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  const int files = static_cast<int>(
      std::min<std::size_t>(options.files.size(), std::numeric_limits<int>::max()));
  session_.setRowWorkers(std::max(1, std::min({options.jobs, files, kJobsPerCore * cores})));
}

BatchRequest CommandLineBatch::ProbedRequest(const std::function<bool()>& stopRequested) const {
  BatchRequest request;
  request.kind = options_.merge ? JobKind::MergeFiles : JobKind::ConvertFiles;
  request.outputFolder = options_.outputFolder;
  request.output = output_;
  request.settings = settings_;
  for (std::size_t file = 0; file < options_.files.size(); ++file) {
    if (stopRequested()) break;
    const std::string& path = options_.files[file];
    const ProbeResult probe = KeptOrNewProbe(probes_, file, path);
    TaskRow row;
    row.sourcePath = path;
    if (file < outputSubfolders_.size()) row.outputSubfolder = outputSubfolders_[file];
    std::string failure = probe.unconvertibleReason();
    if (failure.empty()) {
      row.startTime = options_.start;
      row.endTime = options_.end.value_or(FormatClipTime(probe.durationSeconds));
      row.durationSeconds = std::to_string(probe.durationSeconds);
      row.endChosen = options_.end.has_value();
      if (probe.durationMicroseconds > 0) row.probedSeconds = probe.durationMicroseconds / 1e6;
      row.tags = probe.tags;
      if (file < chapters_.size() && chapters_[file].number > 0) {
        row = ChapterRow(row, chapters_[file].chapter, chapters_[file].number);
      }
    }
    request.rows.push_back(std::move(row));
    request.rowFailures.push_back(std::move(failure));
  }
  return request;
}

std::optional<MergedFile> CommandLineBatch::Run(
    const std::function<void(const FileOutcome&)>& onOutcome,
    const std::function<void(const std::vector<ActiveFile>&, int ended)>& onTick,
    const std::function<bool()>& stopRequested) {
  BatchRequest request = ProbedRequest(stopRequested);
  const std::vector<TaskRow> rows = request.rows;
  std::optional<MergedFile> merged;
  if (options_.merge) merged = MergedFile{};
  // A stop while probing starts nothing: no file has begun, so none gets a line.
  if (stopRequested()) {
    onTick({}, 0);
    if (merged) *merged = {std::string(), "stopped before any sound", true};
    return merged;
  }

  BatchProgress progress;
  std::optional<LaunchRefusal> refusal;
  StartWithStopSignalsBlocked([&] { refusal = session_.Start(std::move(request), progress); });
  if (refusal) {
    for (std::size_t row = 0; row < rows.size(); ++row) {
      onOutcome({FileOutcome::Kind::Failed, rows[row].sourcePath, "", RefusalText(*refusal), ""});
    }
    onTick({}, static_cast<int>(rows.size()));
    if (merged) *merged = {std::string(), RefusalText(*refusal), false};
    return merged;
  }
  BatchProgress::Look look;
  BatchTimeLeft timeLeft(session_.plan(), BatchTimeLeft::Clock::now());
  {
    const StopSignalTarget signalsStop(session_);
    do {
      look = progress.WaitForChange(kRedrawInterval);
      // Reported first, so that a line that could not be written (standard output closed) stops
      // the files being converted now rather than a redraw later.
      for (const auto& [row, outcome] : look.ended) {
        timeLeft.RowEnded(row, outcome.status == RowOutcome::Status::Completed);
        onOutcome(OutcomeOf(row, outcome));
      }
      if (stopRequested()) session_.Stop();
      std::vector<ActiveFile> active;
      for (const BatchProgress::ActiveRow& running : look.active) {
        active.push_back({rows[running.row].sourcePath, running.percent});
        timeLeft.RowPercent(running.row, running.percent);
      }
      secondsLeft_ =
          look.batchEnded ? std::nullopt : timeLeft.SecondsLeft(BatchTimeLeft::Clock::now());
      onTick(active, look.endedRows);
    } while (!look.batchEnded);
    session_.Wait();
  }
  if (merged) {
    *merged = {look.batchOutcome.mergedOutputPath, look.batchOutcome.mergeFailureReason,
               look.batchOutcome.stopped, look.batchOutcome.mergeSkipped};
  }
  return merged;
}

void CommandLineBatch::TrashCompletedSources(
    const std::function<void(const std::string& source, const std::string& failure)>& onTrashed)
    const {
  const JobKind kind = options_.merge ? JobKind::MergeFiles : JobKind::ConvertFiles;
  for (const TrashedSource& trashed : varnell::TrashCompletedSources(
           options_.files, session_.outcomes(), session_.outcome(), kind)) {
    onTrashed(trashed.sourcePath, trashed.failure);
  }
}

FileOutcome CommandLineBatch::OutcomeOf(int row, const RowOutcome& outcome) const {
  FileOutcome file;
  file.sourcePath = options_.files[row];
  switch (outcome.status) {
    case RowOutcome::Status::Completed:
      file.kind = options_.merge ? FileOutcome::Kind::Merged : FileOutcome::Kind::Completed;
      file.outputPath = outcome.outputPath;
      file.note = outcome.note;
      break;
    case RowOutcome::Status::Failed:
      file.kind = FileOutcome::Kind::Failed;
      file.reason = outcome.reason;
      break;
    case RowOutcome::Status::Stopped:
      // A file a stop ended keeps its shorter file, or none when it had no sound yet; a merge's
      // output line says what was kept of it.
      file.kind = options_.merge ? FileOutcome::Kind::MergeStopped : FileOutcome::Kind::Stopped;
      file.outputPath = outcome.outputPath;
      file.reason = "stopped";
      break;
    case RowOutcome::Status::NotStarted:
      file.kind = FileOutcome::Kind::NotStarted;
      break;
    case RowOutcome::Status::Skipped:
      file.kind = FileOutcome::Kind::Skipped;
      file.outputPath = outcome.outputPath;
      break;
  }
  return file;
}

}  // namespace varnell

#include "cli/BatchConverter.h"

#include <chrono>
#include <thread>

#include "engine/ClipTime.h"
#include "engine/ConversionJob.h"

namespace varnell {

BatchConverter::BatchConverter(const CommandLineOptions& options, const OutputSettings& settings,
                               std::string formatName)
    : options_(options), settings_(settings), formatName_(std::move(formatName)) {
  const int jobs = std::max(1, std::min<int>(options.jobs, static_cast<int>(options.files.size())));
  for (int i = 0; i < jobs; ++i) slots_.push_back(std::make_unique<JobSlot>());
}

void BatchConverter::Run(
    const std::function<void(const FileOutcome&)>& onOutcome,
    const std::function<void(const std::vector<ActiveFile>&, int ended)>& onTick,
    const std::atomic<bool>& interrupted) {
  std::vector<std::thread> threads;
  for (auto& slot : slots_) {
    threads.emplace_back([this, &slot, &onOutcome] { RunSlot(*slot, onOutcome); });
  }
  const int total = static_cast<int>(options_.files.size());
  while (endedFiles_.load() < total) {
    if (interrupted.load() && !stopping_.exchange(true)) {
      for (auto& slot : slots_) slot->engine.stopFlag = true;
    }
    std::vector<ActiveFile> active;
    for (auto& slot : slots_) {
      const int index = slot->fileIndex.load();
      if (index >= 0) active.push_back({options_.files[index], slot->engine.currentFilePercent.load()});
    }
    onTick(active, endedFiles_.load());
    bool anyRunning = false;
    for (auto& slot : slots_) anyRunning = anyRunning || slot->fileIndex.load() >= 0;
    if (stopping_.load() && !anyRunning) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  for (auto& thread : threads) thread.join();
  onTick({}, endedFiles_.load());
}

void BatchConverter::RunSlot(JobSlot& slot,
                             const std::function<void(const FileOutcome&)>& onOutcome) {
  const int total = static_cast<int>(options_.files.size());
  for (;;) {
    if (stopping_.load()) return;
    const int index = nextFile_.fetch_add(1);
    if (index >= total) return;
    slot.fileIndex = index;
    const FileOutcome outcome = ConvertOne(slot.engine, options_.files[index]);
    {
      std::lock_guard lock(outcomeMutex_);
      onOutcome(outcome);
    }
    slot.fileIndex = -1;
    ++endedFiles_;
  }
}

// The same road a file takes in the main window: probed when it is added, then converted as a
// one-row job by the per-file worker, here run on the job's own thread.
FileOutcome BatchConverter::ConvertOne(AVConvert& engine, const std::string& path) {
  FileOutcome outcome;
  outcome.sourcePath = path;
  engine.probePath = path;
  if (engine.ProbeSourceFile() < 0) {
    outcome.reason = engine.probeFailureReason();
    return outcome;
  }
  if (engine.durationSeconds < 0) {
    outcome.reason = "the length of the source is unknown";
    return outcome;
  }
  TaskRow row;
  row.sourcePath = path;
  row.startTime = options_.start;
  row.endTime = options_.end.value_or(FormatClipTime(engine.durationSeconds));
  row.durationSeconds = std::to_string(engine.durationSeconds);
  BuildConversionJob(engine, {row}, options_.outputFolder, formatName_, settings_);
  engine.currentFilePercent = 0;
  if (stopping_.load()) engine.stopFlag = true;
  ConvertFilesThread(&engine);

  switch (engine.taskStatus(0)) {
    case kTaskCompleted:
      outcome.kind = FileOutcome::Kind::Completed;
      outcome.outputPath = engine.outputPaths[0];
      break;
    case kTaskFailed:
      outcome.reason = engine.failureReason(0);
      break;
    default:
      // A stop that came before the row began leaves nothing on disk.
      outcome.kind = engine.currentTaskIndex.load() > 0 ? FileOutcome::Kind::Stopped
                                                        : FileOutcome::Kind::NotStarted;
      outcome.outputPath = engine.outputPaths[0];
      outcome.reason = "stopped";
      break;
  }
  return outcome;
}

}  // namespace varnell

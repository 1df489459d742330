#include "cli/BatchConverter.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <system_error>

#include "cli/CommandLineRow.h"
#include "engine/ConversionJob.h"

namespace varnell {

std::thread StartJobThread(std::function<void()> run) { return std::thread(std::move(run)); }

BatchConverter::BatchConverter(const CommandLineOptions& options, const OutputSettings& settings,
                               std::string formatName, ThreadStarter startThread)
    : options_(options),
      settings_(settings),
      formatName_(std::move(formatName)),
      startThread_(std::move(startThread)) {
  const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  const int files = static_cast<int>(std::min<std::size_t>(options.files.size(), std::numeric_limits<int>::max()));
  const int jobs = std::max(1, std::min({options.jobs, files, kJobsPerCore * cores}));
  for (int i = 0; i < jobs; ++i) slots_.push_back(std::make_unique<JobSlot>());
}

void BatchConverter::Run(
    const std::function<void(const FileOutcome&)>& onOutcome,
    const std::function<void(const std::vector<ActiveFile>&, int ended)>& onTick,
    const std::function<bool()>& stopRequested) {
  std::string failure;
  std::vector<std::thread> threads = StartJobThreads(onOutcome, stopRequested, failure);
  const int total = static_cast<int>(options_.files.size());
  if (threads.empty()) {
    for (const std::string& path : options_.files) {
      onOutcome({FileOutcome::Kind::Failed, path, "", "cannot start a conversion thread: " + failure});
      ++endedFiles_;
    }
  }
  while (endedFiles_.load() < total) {
    if (!stopping_.load() && stopRequested()) {
      stopping_ = true;
      for (auto& slot : slots_) slot->engine.stopFlag = true;
    }
    std::vector<ActiveFile> active;
    for (auto& slot : slots_) {
      const int index = slot->fileIndex.load();
      if (index >= 0) active.push_back({options_.files[index], slot->engine.currentFilePercent.load()});
    }
    onTick(active, endedFiles_.load());
    if (stopping_.load() && active.empty()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  for (auto& thread : threads) thread.join();
  onTick({}, endedFiles_.load());
}

// Starts one thread per slot until one fails; the slots whose thread did not start stay idle.
std::vector<std::thread> BatchConverter::StartJobThreads(
    const std::function<void(const FileOutcome&)>& onOutcome,
    const std::function<bool()>& stopRequested, std::string& failure) {
  std::vector<std::thread> threads;
  threads.reserve(slots_.size());
  for (auto& slot : slots_) {
    try {
      threads.push_back(startThread_(
          [this, &slot, &onOutcome, &stopRequested] { RunSlot(*slot, onOutcome, stopRequested); }));
    } catch (const std::system_error& error) {
      failure = error.code().message();
      break;
    }
  }
  return threads;
}

void BatchConverter::RunSlot(JobSlot& slot,
                             const std::function<void(const FileOutcome&)>& onOutcome,
                             const std::function<bool()>& stopRequested) {
  const int total = static_cast<int>(options_.files.size());
  for (;;) {
    // Asked here too, not only by the progress loop, so that a stop that came while the last
    // outcome was being reported (standard output closing) starts no further file.
    if (stopping_.load() || stopRequested()) return;
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
  std::variant<TaskRow, RowFailure> row = RowForFile(engine, path, options_);
  if (auto* failure = std::get_if<RowFailure>(&row)) {
    outcome.reason = std::move(failure->reason);
    return outcome;
  }
  BuildConversionJob(engine, {std::get<TaskRow>(row)}, options_.outputFolder, formatName_, settings_);
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

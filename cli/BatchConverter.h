// Converts the command line's files with several engine objects at once, one file at a time each.
// Each job thread owns its engine object alone; the calling thread only reads progress and sets
// stop flags.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cli/CommandLineOptions.h"
#include "engine/AVConvert.h"
#include "settings/OutputSettings.h"

namespace varnell {

struct FileOutcome {
  // Merged: the file's sound is in a merge's output.
  enum class Kind { Completed, Failed, Stopped, NotStarted, Merged };
  Kind kind = Kind::Failed;
  std::string sourcePath;
  std::string outputPath;
  std::string reason;
};

struct ActiveFile {
  std::string sourcePath;
  int percent = -1;
};

// Starts a job thread running the given function. Throws std::system_error when the thread
// cannot start, as the std::thread constructor does.
using ThreadStarter = std::function<std::thread(std::function<void()>)>;
std::thread StartJobThread(std::function<void()> run);

class BatchConverter {
 public:
  // Files converted at once: --jobs, but at least 1 and at most the number of files and
  // kJobsPerCore per core, since more threads only share the same cores and cost memory.
  static constexpr int kJobsPerCore = 4;

  BatchConverter(const CommandLineOptions& options, const OutputSettings& settings,
                 std::string formatName, ThreadStarter startThread = StartJobThread);

  // Runs every file; returns when all have ended or, after stopRequested() became true, when the
  // files being converted are finished (shortened) and no further file has started.
  // onOutcome runs on job threads, one call at a time; onTick runs on the calling thread
  // about every 100 ms with the files being converted and the number of files ended.
  // stopRequested is asked on the calling thread and on job threads.
  // When fewer job threads start than wanted the batch goes on with those that did; when none
  // starts every file fails with the reason.
  void Run(const std::function<void(const FileOutcome&)>& onOutcome,
           const std::function<void(const std::vector<ActiveFile>&, int ended)>& onTick,
           const std::function<bool()>& stopRequested);

 private:
  struct JobSlot {
    AVConvert engine;
    std::atomic<int> fileIndex{-1};  // written by the slot's thread, read by the caller
  };

  std::vector<std::thread> StartJobThreads(const std::function<void(const FileOutcome&)>& onOutcome,
                                           const std::function<bool()>& stopRequested,
                                           std::string& failure);
  void RunSlot(JobSlot& slot, const std::function<void(const FileOutcome&)>& onOutcome,
               const std::function<bool()>& stopRequested);
  FileOutcome ConvertOne(AVConvert& engine, const std::string& path);

  const CommandLineOptions& options_;
  const OutputSettings& settings_;
  std::string formatName_;
  ThreadStarter startThread_;
  std::vector<std::unique_ptr<JobSlot>> slots_;
  std::atomic<int> nextFile_{0};
  std::atomic<int> endedFiles_{0};
  std::atomic<bool> stopping_{false};
  std::mutex outcomeMutex_;
};

}  // namespace varnell

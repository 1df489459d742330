// Converts the command line's files with one engine object whose per-file worker converts up to
// --jobs rows at once, the path the main window's Start converting takes. The engine's worker and
// its row threads own the conversion; the calling thread probes the files, then reads progress,
// reports each file once its row is final and passes a stop on as the engine's stop flag.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/CommandLineOptions.h"
#include "cli/CommandLineRow.h"
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
  std::string note;  // Completed or Merged: what went wrong without failing the file, or empty
};

struct ActiveFile {
  std::string sourcePath;
  int percent = -1;
};

class BatchConverter {
 public:
  // Files converted at once: --jobs, but at least 1 and at most the number of files and
  // kJobsPerCore per core, since more threads only share the same cores and cost memory.
  static constexpr int kJobsPerCore = 4;

  BatchConverter(const CommandLineOptions& options, const OutputSettings& settings,
                 std::string formatName);

  // The row threads the batch's worker converts with.
  int rowWorkers() const { return engine_.rowWorkers; }

  // Runs every file; returns when all have ended or, after stopRequested() became true, when the
  // files being converted are finished (shortened) and no further file has started. Every
  // callback runs on the calling thread: onOutcome once per file in the order of the files,
  // as soon as that file and every file before it have ended (none for a file a stop kept from
  // starting); onTick about every 100 ms with the files being converted and the number ended.
  // The files are probed first, one after another (a few milliseconds each); a stop meanwhile
  // starts no file. When the worker's thread cannot start, every file fails with the reason.
  void Run(const std::function<void(const FileOutcome&)>& onOutcome,
           const std::function<void(const std::vector<ActiveFile>&, int ended)>& onTick,
           const std::function<bool()>& stopRequested);

 private:
  void ReportFinalRows(const std::function<void(const FileOutcome&)>& onOutcome);
  FileOutcome OutcomeOf(int row) const;
  void Tick(const std::function<void(const std::vector<ActiveFile>&, int ended)>& onTick) const;

  const CommandLineOptions& options_;
  const OutputSettings& settings_;
  std::string formatName_;
  AVConvert engine_;
  CommandLineRows probed_;
  int reportedRows_ = 0;
};

}  // namespace varnell

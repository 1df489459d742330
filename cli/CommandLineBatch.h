// Converts the command line's files in one batch session, each into its own file with up to
// --jobs files at once, or, with --merge, all into one: the session the main window's Start
// converting and Merge drive. The calling thread probes the files, starts the batch, then waits
// on its progress: it reports each file once its outcome is final, redraws the progress about
// every 100 ms and passes a stop on to the session.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/ChapterArguments.h"
#include "cli/CommandLineOptions.h"
#include "cli/FileOutcome.h"
#include "engine/BatchSession.h"
#include "engine/SourceProbe.h"
#include "settings/OutputFormats.h"
#include "settings/OutputSettings.h"

namespace varnell {

class CommandLineBatch {
 public:
  // Files converted at once: --jobs, but at least 1 and at most the number of files and
  // kJobsPerCore per core, since more threads only share the same cores and cost memory.
  static constexpr int kJobsPerCore = 4;

  // outputSubfolders: per file, where below the output folder it goes (FolderArguments); empty
  // when every file goes straight into it. probes: per file, the probe a folder scan made of it,
  // which the batch takes instead of probing that file again. chapters: per file, the chapter it
  // converts (ChapterArguments); empty when every file is converted whole.
  CommandLineBatch(const CommandLineOptions& options, const OutputSettings& settings,
                   OutputChoice output, std::vector<std::string> outputSubfolders = {},
                   std::vector<std::optional<ProbeResult>> probes = {},
                   std::vector<FileChapter> chapters = {});

  int rowWorkers() const { return session_.effectiveRowWorkers(); }

  // Runs every file; returns when all have ended or, after stopRequested() became true, when the
  // files being converted are finished (shortened) and no further file has started. Every
  // callback runs on the calling thread: onOutcome once per file in the order of the files, as
  // soon as its outcome is final (none for a file a stop kept from starting; a merge's files once
  // the merged output is finished or has failed); onTick about every 100 ms with the files being
  // converted and the number ended. The files without a kept probe are probed first, one after
  // another; a stop meanwhile starts nothing. For a merge, returns what became of the merged
  // output.
  std::optional<MergedFile> Run(
      const std::function<void(const FileOutcome&)>& onOutcome,
      const std::function<void(const std::vector<ActiveFile>&, int ended)>& onTick,
      const std::function<bool()>& stopRequested);

  // While Run runs (read it in onTick): the batch's time left, once it can be told.
  std::optional<double> secondsLeft() const { return secondsLeft_; }

  // After Run: moves the completed files' sources to the Trash (a merge's once its output is
  // finished); onTrashed gets each source tried, with why it stays, or empty when it went.
  void TrashCompletedSources(
      const std::function<void(const std::string& source, const std::string& failure)>& onTrashed)
      const;

 private:
  // The files as task rows, probed as the main window probes a file it adds, with the command
  // line's clip times; a file that does not probe keeps the probe's reason.
  BatchRequest ProbedRequest(const std::function<bool()>& stopRequested) const;
  FileOutcome OutcomeOf(int row, const RowOutcome& outcome) const;

  const CommandLineOptions& options_;
  const OutputSettings& settings_;
  OutputChoice output_;
  std::vector<std::string> outputSubfolders_;
  std::vector<std::optional<ProbeResult>> probes_;
  std::vector<FileChapter> chapters_;
  std::optional<double> secondsLeft_;
  BatchSession session_;
};

}  // namespace varnell

// Merges the command line's files, in the order given, into one output with the engine's merge
// worker, as the main window's Merge does. The worker runs on the engine's own thread; the
// calling thread probes the files first, then reports each file once its row has ended and
// reads the progress.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/BatchConverter.h"
#include "cli/CommandLineOptions.h"
#include "cli/CommandLineRow.h"
#include "engine/AVConvert.h"
#include "settings/OutputSettings.h"

namespace varnell {

struct MergedFile {
  std::string outputPath;  // empty when no output was left
  std::string failureReason;  // why not
  bool stopped = false;
};

class MergeConverter {
 public:
  MergeConverter(const CommandLineOptions& options, const OutputSettings& settings,
                 std::string formatName);

  // onOutcome gets every file whose row ended (Merged or Failed), in order, once the merge has
  // ended (a file is merged only once the output is finished); onTick runs about
  // every 100 ms with the file being merged, the percent of the whole output and the number of
  // files ended. All three callbacks run on the calling thread. A stop ends the file being
  // merged where it is and finishes the output there.
  MergedFile Run(const std::function<void(const FileOutcome&)>& onOutcome,
                 const std::function<void(const std::vector<ActiveFile>&, int ended)>& onTick,
                 const std::function<bool()>& stopRequested);

 private:
  void ReportEndedRows(const std::function<void(const FileOutcome&)>& onOutcome);

  const CommandLineOptions& options_;
  const OutputSettings& settings_;
  std::string formatName_;
  AVConvert engine_;
  CommandLineRows probed_;  // a file whose probe failed is not merged
  int reportedRows_ = 0;
};

}  // namespace varnell

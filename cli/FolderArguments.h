// The command line's FILE arguments with each folder among them replaced by the files a scan of
// it finds, in the scan's order, each with the output subfolder it keeps ("Lib/Disc 1"); a file
// named on its own keeps its place and goes straight into the output folder. Runs on the calling
// thread; stopRequested is asked as the files are found, and a stop ends the scan there.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/SourceProbe.h"

namespace varnell {

struct FolderArguments {
  std::vector<std::string> files;
  std::vector<std::string> outputSubfolders;  // one per file, empty for a file named itself
  // One per file: the scan's probe of a folder's file, none for a file named itself. The batch
  // and --info take these rather than opening each file of a library a second time.
  std::vector<std::optional<ProbeResult>> probes;
  // "Skipped 3 files that are not audio under Lib", one per folder that had such files.
  std::vector<std::string> skippedLines;
};

FolderArguments ExpandFolderArguments(const std::vector<std::string>& arguments,
                                      const std::function<bool()>& stopRequested);

// The probe kept for file `index` of `probes`, else a probe of `path` made now.
ProbeResult KeptOrNewProbe(const std::vector<std::optional<ProbeResult>>& probes, std::size_t index,
                           const std::string& path);

}  // namespace varnell

#include "cli/FolderArguments.h"

#include <atomic>

#include "library/FolderScan.h"

namespace varnell {

FolderArguments ExpandFolderArguments(const std::vector<std::string>& arguments,
                                      const std::function<bool()>& stopRequested) {
  FolderArguments expanded;
  std::atomic<bool> stop = false;
  for (const std::string& argument : arguments) {
    if (stop.load()) break;
    if (!IsFolder(argument)) {
      expanded.files.push_back(argument);
      expanded.outputSubfolders.emplace_back();
      expanded.probes.emplace_back();
      continue;
    }
    const FolderScanCount count = ScanFolder(argument, stop, [&](const ScannedFile& file) {
      expanded.files.push_back(file.path);
      expanded.outputSubfolders.push_back(file.outputSubfolder());
      expanded.probes.emplace_back(file.probe);
      if (stopRequested()) stop = true;
    });
    if (count.notAudio > 0) {
      expanded.skippedLines.push_back("Skipped " + std::to_string(count.notAudio) +
                                      (count.notAudio == 1 ? " file that is not audio under "
                                                           : " files that are not audio under ") +
                                      argument);
    }
  }
  return expanded;
}

ProbeResult KeptOrNewProbe(const std::vector<std::optional<ProbeResult>>& probes, std::size_t index,
                           const std::string& path) {
  if (index < probes.size() && probes[index]) return *probes[index];
  return ProbeSource(path);
}

}  // namespace varnell

// varnell-convert --info: the probe results of each file, one "name: value" line each.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/ResultLines.h"
#include "engine/SourceProbe.h"

namespace varnell {

// Prints the report of every file, or of the files before the output closed or stopRequested()
// became true; returns how many could not be probed. A file with a probe in `probes` (a folder
// scan's, FolderArguments) is not opened again.
int PrintMediaInfo(const std::vector<std::string>& files, ResultLines& out,
                   const std::function<bool()>& stopRequested,
                   const std::vector<std::optional<ProbeResult>>& probes = {});

}  // namespace varnell

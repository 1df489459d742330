// varnell-convert --info: the probe results of each file, one "name: value" line each.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/ResultLines.h"

namespace varnell {

// Prints the report of every file, or of the files before the output closed or stopRequested()
// became true; returns how many could not be probed.
int PrintMediaInfo(const std::vector<std::string>& files, ResultLines& out,
                   const std::function<bool()>& stopRequested);

}  // namespace varnell

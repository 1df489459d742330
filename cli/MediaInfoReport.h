// varnell-convert --info: the probe results of each file, one "name: value" line each.
#pragma once

#include <string>
#include <vector>

#include "cli/ResultLines.h"

namespace varnell {

// Prints the report of every file, or of the files before the output closed; returns how many
// could not be probed.
int PrintMediaInfo(const std::vector<std::string>& files, ResultLines& out);

}  // namespace varnell

// varnell-convert --info: the probe results of each file, one "name: value" line each.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace varnell {

// Prints the report of every file; returns how many could not be probed.
int PrintMediaInfo(const std::vector<std::string>& files, std::FILE* out);

}  // namespace varnell

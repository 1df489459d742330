#include "engine/ExistingOutputs.h"

#include <sys/stat.h>

#include <algorithm>

namespace varnell {
namespace {

// lstat: a link at the name takes it, wherever it points; the collision loop sees it so too.
bool NameExists(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

}  // namespace

void MarkExistingOutputs(Job& job) {
  if (!job.skipExisting) return;
  if (job.kind == JobKind::MergeFiles) {
    const auto first = std::find_if(job.rows.begin(), job.rows.end(),
                                    [](const JobRow& row) { return row.selected(); });
    if (first == job.rows.end() || !NameExists(first->outputPath)) return;
    const std::string merged = first->outputPath;
    for (JobRow& row : job.rows) {
      if (row.selected()) row.existingOutput = merged;
    }
    return;
  }
  for (JobRow& row : job.rows) {
    if (row.selected() && NameExists(row.outputPath)) row.existingOutput = row.outputPath;
  }
}

}  // namespace varnell

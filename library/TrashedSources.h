// The sources a finished batch moves to the Trash when the user asked for it: the window and
// varnell-convert both call this once the batch has ended (after Wait), on their own thread.
#pragma once

#include <string>
#include <vector>

#include "engine/Job.h"
#include "engine/RowOutcome.h"

namespace varnell {

struct TrashedSource {
  int row = 0;
  std::string sourcePath;
  std::string failure;  // why the source stays where it is; empty when it is in the Trash
};

// Moves the source of every Completed row to the Trash, in row order; a merge's sources only
// once its merged output is finished. A row that failed, was stopped or never started keeps its
// source, and so does a source that is its own output (the same file by device and inode) or
// one an earlier row of the batch already moved. One entry per source it tried or refused.
std::vector<TrashedSource> TrashCompletedSources(const std::vector<std::string>& sourcePaths,
                                                 const std::vector<RowOutcome>& outcomes,
                                                 const BatchOutcome& batch, JobKind kind);

}  // namespace varnell

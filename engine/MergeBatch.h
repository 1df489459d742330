// A merge: the selected rows, in order, into one output file named after the first row that
// contributes sound. Runs on the engine's worker thread, one row after another.
#pragma once

#include <atomic>

#include "engine/Job.h"
#include "engine/RowLedger.h"

namespace varnell {

// The percent runs over the whole merged output (from 0, never falling back, 100 only once the
// file is finished). A row that adds sound is held as completed until the output is finished; a
// row that fails is failed with its reason and the merge goes on, unless the output itself
// failed: then this row and every later one fail with the output's reason, and so do the rows
// merged so far, and no file is left. A stop ends the row being merged where it is (it is
// stopped) and the merge is finished there, so what was merged is a complete, playable file.
// The held rows are settled once the output is published or has failed: they carry the merged
// file's path, or fail with the reason no file was left. Returns how the merge ended.
BatchOutcome MergeRows(const Job& job, RowLedger& ledger, const std::atomic<bool>& stopRequested);

}  // namespace varnell

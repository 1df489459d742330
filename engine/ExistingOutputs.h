// What "skip what exists" looks at: the outputs a job plans that exist when its batch starts.
// Called on the engine's worker thread before any row runs, so an output this batch writes never
// counts, and rows of the batch that plan one name are numbered as always.
#pragma once

#include "engine/Job.h"

namespace varnell {

// With job.skipExisting, gives every selected row whose outputPath names something (a file, a
// folder, a link, also a broken one) that path as its existingOutput. A merge has one output,
// named by its first selected row: when that exists, every selected row is given it.
void MarkExistingOutputs(Job& job);

}  // namespace varnell

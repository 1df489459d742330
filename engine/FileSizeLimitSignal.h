// An output that grows past the file-size limit (`ulimit -f`) would raise SIGXFSZ, whose default
// action kills the whole program mid-batch: no result for any file, a hidden temporary left
// behind. With the signal ignored the write fails with EFBIG instead, and only that file fails
// ("cannot write output: File too large"), its temporary removed, while the others go on.
// Programs call this once at start-up, before any thread starts.
#pragma once

namespace varnell {

void IgnoreFileSizeLimitSignal();

}  // namespace varnell

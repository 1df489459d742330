#include "engine/AVConvert.h"
#include "engine/ParallelRowBatch.h"

namespace varnell {

// Row protocol: every status starts pending; currentTaskIndex names the first row whose result is
// not yet final and currentFilePercent that row's percent (-1 while it opens, then 0..100); a row
// ends completed, failed, or still pending when the stop flag ended it (its shorter output is
// kept). The stop flag is read before each row and before each packet. currentTaskIndex moves on
// only after everything the row wrote (status, reason, output path) is in place. A job the launch
// could not build (jobFailureReason) fails every checked row with that reason without touching
// the disk.
void ConvertFilesThread(AVConvert* engine) { ParallelRowBatch(*engine).Run(); }

}  // namespace varnell

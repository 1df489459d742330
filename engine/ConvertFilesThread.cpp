#include "engine/AVConvert.h"
#include "engine/FileConversion.h"
#include "engine/RowBoundary.h"

namespace varnell {

// Row protocol: every status starts pending; for each row currentTaskIndex names it,
// currentFilePercent is -1 while it opens and then 0..100; the row ends completed, failed, or
// still pending when the stop flag ended it (its shorter output is kept). The stop flag is read
// before each row and before each packet. currentTaskIndex moves on only after everything the
// row wrote (status, reason, output path) is in place. A job the launch could not build
// (jobFailureReason) fails every checked row with that reason without touching the disk.
void ConvertFilesThread(AVConvert* engine) {
  AVConvert& e = *engine;
  for (auto& status : e.taskStatus_) status = kTaskPending;
  e.currentTaskIndex = 0;

  for (int row = 0; row < e.rowCount; row = e.currentTaskIndex) {
    if (e.stopFlag) return;
    e.currentFilePercent = -1;
    if (std::optional<std::string> refusal = RowRefusal(e, row)) {
      e.failureReasons_[row] = std::move(*refusal);
      e.taskStatus_[row] = kTaskFailed;
    } else {
      const FileConversionRequest request = RequestForRow(e, row);
      RowResult result = ConvertRow(request, e.stopFlag, e.currentFilePercent);
      if (result.converted) {
        e.outputPaths[row] = result.converted->outputPath;
        e.secondsWritten_[row] = result.converted->seconds;
        e.failureReasons_[row] = std::move(result.converted->note);
        if (!result.converted->stopped) e.taskStatus_[row] = kTaskCompleted;
      } else {
        e.failureReasons_[row] = std::move(result.failureReason);
        e.taskStatus_[row] = kTaskFailed;
      }
    }
    e.currentTaskIndex = row + 1;
  }
}

}  // namespace varnell

#include <optional>
#include <string>
#include <vector>

#include "engine/AVConvert.h"
#include "engine/AbandonedTemporaries.h"
#include "engine/MergeProgress.h"
#include "engine/MergedOutput.h"
#include "engine/RowBoundary.h"
#include "engine/StatedLength.h"

namespace varnell {
namespace {

// Finishes the merge after its last row or a stop: the output is published when it holds
// sound, otherwise removed; either way mergedOutputPath or mergeFailureReason says so. Returns
// the reason when finishing the output failed.
std::optional<std::string> EndMerge(AVConvert& e, MergedOutput& output, bool stopped,
                                    const std::optional<std::string>& outputFailure) {
  std::optional<std::string> failure;
  if (output.holdsSound()) {
    failure = FailureOf([&] { e.mergedOutputPath = output.Finish(); });
    if (failure) {
      output.Discard();
      e.mergeFailureReason = *failure;
    }
  } else if (outputFailure) {
    e.mergeFailureReason = *outputFailure;
  } else {
    e.mergeFailureReason = stopped ? "stopped before any sound" : "none of the files could be merged";
  }
  return failure;
}

}  // namespace

// Row protocol as in ConvertFilesThread, with currentFilePercent running over the whole merged
// output (from 0, never falling back, 100 only once the file is finished). A row that adds
// sound is completed; a failing row is failed with its reason and the merge goes on, unless
// the output itself failed: that fails the rows merged so far, this row and every later one
// with the output's reason, and no file is left. A stop ends the current row where it is (the row stays pending) and the
// merge is finished there, so what was merged is a complete, playable file. The output is
// finished, and mergedOutputPath written, before currentTaskIndex moves past the row at which
// the merge ended.
void MergeFilesThread(AVConvert* engine) {
  AVConvert& e = *engine;
  for (auto& status : e.taskStatus_) status = kTaskPending;
  e.mergedOutputPath.clear();
  e.mergeFailureReason.clear();
  MergeProgress progress(e.mergeTotalLength > 0.0 ? e.mergeTotalLength : e.mergeTotalSeconds,
                         e.currentFilePercent);
  e.currentTaskIndex = 0;
  RemoveAbandonedTemporariesOfJob(e);

  std::vector<std::string> sources;  // where a video output looks for its video's set-up
  for (int row = 0; row < e.rowCount; ++row) {
    if (!RowRefusal(e, row)) sources.push_back(e.sourcePaths[row]);
  }
  MergedOutput output({e.audioCodecId, e.audioBitRate, e.sampleRate, e.channels},
                      std::move(sources));
  std::optional<std::string> outputFailure;  // once the output failed, every later row fails
  // Once the output is gone, the rows merged into it so far have nothing to show for
  // themselves: they fail with the output's reason. Their reason is written before their
  // status, and callers read a reason only after seeing the failed status.
  const auto failMergedRows = [&e](int beforeRow, const std::string& reason) {
    for (int row = 0; row < beforeRow; ++row) {
      if (e.taskStatus_[row] != kTaskCompleted) continue;
      e.failureReasons_[row] = reason;
      e.taskStatus_[row] = kTaskFailed;
    }
  };
  for (int row = 0; row < e.rowCount; ++row) {
    if (e.stopFlag) {
      if (const auto finishFailure = EndMerge(e, output, true, outputFailure)) {
        failMergedRows(row, *finishFailure);
      }
      e.secondsWritten_[row] = output.seconds();
      return;
    }
    bool stopped = false;
    std::optional<std::string> failure = RowRefusal(e, row);
    if (!failure && outputFailure) failure = outputFailure;
    if (!failure) {
      const double secondsBefore = output.seconds();
      failure = FailureOf([&] { stopped = output.MergeRow(RequestForRow(e, row), e.stopFlag, progress); });
      if (failure && output.broken()) {
        outputFailure = failure;
        output.Discard();
        failMergedRows(row, *failure);
      } else if (failure && output.seconds() > secondsBefore) {
        // What the encoder has taken cannot be taken back: the reason says that it stayed.
        *failure += "; its first " + SecondsInTenths(output.seconds() - secondsBefore) +
                    " s are in the merged file";
      }
      output.DropIfSilent();
    }
    if (stopped || row + 1 == e.rowCount) {
      std::optional<std::string> finishFailure = EndMerge(e, output, stopped, outputFailure);
      if (finishFailure) failMergedRows(row, *finishFailure);
      if (finishFailure && !failure) failure = std::move(finishFailure);
      if (!stopped) progress.Complete();
    }
    e.secondsWritten_[row] = output.seconds();
    if (failure) {
      e.failureReasons_[row] = std::move(*failure);
      e.taskStatus_[row] = kTaskFailed;
    } else if (!stopped) {
      e.failureReasons_[row] = output.rowNote();  // a completed row's reason is its note
      e.taskStatus_[row] = kTaskCompleted;
    }
    e.currentTaskIndex = row + 1;
    if (stopped) return;
  }
}

}  // namespace varnell

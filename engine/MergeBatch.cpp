#include "engine/MergeBatch.h"

#include <optional>
#include <string>
#include <vector>

#include "engine/AbandonedTemporaries.h"
#include "engine/FileConversion.h"
#include "engine/MergeProgress.h"
#include "engine/MergedOutput.h"
#include "engine/RowBoundary.h"
#include "engine/StatedLength.h"
#include "media/SourceFile.h"

namespace varnell {
namespace {

RowOutcome FailedWith(std::string reason) {
  RowOutcome failed;
  failed.status = RowOutcome::Status::Failed;
  failed.reason = std::move(reason);
  return failed;
}

// Finishes the merge after its last row or a stop: the output is published when it holds
// sound, otherwise removed; the outcome's path or reason says which.
BatchOutcome EndMerge(MergedOutput& output, bool stopped,
                      const std::optional<std::string>& outputFailure) {
  BatchOutcome outcome;
  outcome.stopped = stopped;
  if (output.holdsSound()) {
    if (std::optional<std::string> failure =
            FailureOf([&] { outcome.mergedOutputPath = output.Finish(); })) {
      output.Discard();
      outcome.mergeFailureReason = std::move(*failure);
    }
  } else if (outputFailure) {
    outcome.mergeFailureReason = *outputFailure;
  } else {
    outcome.mergeFailureReason =
        stopped ? "stopped before any sound" : "none of the files could be merged";
  }
  return outcome;
}

// The merged output that existed when the batch started (MarkExistingOutputs), if it did.
std::optional<std::string> ExistingMergedOutput(const Job& job) {
  if (!job.failureReason.empty()) return std::nullopt;
  for (const JobRow& row : job.rows) {
    if (row.selected()) {
      return row.existingOutput.empty() ? std::nullopt : std::optional(row.existingOutput);
    }
  }
  return std::nullopt;
}

}  // namespace

BatchOutcome MergeRows(const Job& job, RowLedger& ledger, const std::atomic<bool>& stopRequested) {
  const int rows = static_cast<int>(job.rows.size());
  if (const std::optional<std::string> existing = ExistingMergedOutput(job)) {
    // Every selected row has been given the output that exists: each ends Skipped.
    for (int row = 0; row < rows; ++row)
      ledger.End(row, RowRefusal(job, row).value_or(RowOutcome{}));
    BatchOutcome skipped;
    skipped.mergedOutputPath = *existing;
    skipped.mergeSkipped = true;
    return skipped;
  }
  std::vector<std::string> sources;  // where a video output looks for its video's set-up
  std::vector<std::string> chapterTitles;
  for (int row = 0; row < rows; ++row) {
    if (RowRefusal(job, row)) continue;
    sources.push_back(job.rows[row].sourcePath);
    // Opening a source for its title tag reads no sound; an MP3 needs the titles before the
    // first row is written.
    // A source that does not open is named by its file, and fails as its row.
    SourceFile source;
    if (source.Open(job.rows[row].sourcePath) < 0) source = SourceFile();
    chapterTitles.push_back(RowChapterTitle(source, RequestForRow(job, row)));
  }
  MergeProgress progress(job.mergeSeconds, ledger);
  MergedOutput output(job.audio, std::move(sources), std::move(chapterTitles));
  std::optional<std::string> outputFailure;  // once the output failed, every later row fails
  bool stopped = false;
  for (int row = 0; row < rows && !stopped; ++row) {
    if (stopRequested.load()) {
      stopped = true;  // this row and the ones after it never start
      break;
    }
    if (std::optional<RowOutcome> refused = RowRefusal(job, row)) {
      ledger.End(row, std::move(*refused));
      continue;
    }
    if (outputFailure) {
      ledger.End(row, FailedWith(*outputFailure));
      continue;
    }
    ledger.Started(row);
    progress.SetRow(row);
    const double secondsBefore = output.seconds();
    std::optional<std::string> failure = FailureOf([&] {
      const FileConversionRequest request = RequestForRow(job, row);
      // The row that sets the output up names it: its pattern's folders are made first.
      if (!output.holdsSound()) CreateOutputSubfolder(request);
      stopped = output.MergeRow(request, stopRequested, progress);
    });
    if (failure && output.broken()) {
      outputFailure = failure;
      output.Discard();
    } else if (failure && output.seconds() > secondsBefore) {
      // What the encoder has taken cannot be taken back: the reason says that it stayed.
      *failure += "; its first " + SecondsInTenths(output.seconds() - secondsBefore) +
                  " s are in the merged file";
    }
    output.DropIfSilent();
    if (failure) {
      RowOutcome failed = FailedWith(std::move(*failure));
      failed.secondsWritten = output.seconds();
      ledger.End(row, std::move(failed));
      continue;
    }
    RowOutcome merged;
    merged.status = stopped ? RowOutcome::Status::Stopped : RowOutcome::Status::Completed;
    merged.note = stopped ? std::string() : output.rowNote();
    merged.secondsWritten = output.seconds();
    ledger.Hold(row, std::move(merged));
    if (!stopped) ledger.Passed(row);
  }

  BatchOutcome outcome = EndMerge(output, stopped, outputFailure);
  if (!stopped) progress.Complete();
  ledger.SettleHeld([&outcome](RowOutcome& held) {
    if (!outcome.mergedOutputPath.empty()) {
      held.outputPath = outcome.mergedOutputPath;
    } else if (held.status == RowOutcome::Status::Completed || held.secondsWritten > 0.0) {
      // Its sound went into an output that is gone.
      held = FailedWith(outcome.mergeFailureReason);
    }
  });
  return outcome;
}

}  // namespace varnell

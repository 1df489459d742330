// How one row of a batch ended, and how the batch as a whole did.
#pragma once

#include <string>

namespace varnell {

struct RowOutcome {
  enum class Status {
    NotStarted,  // not selected, or a stop came first
    Completed,
    Failed,
    Stopped,  // a stop ended it part-way; secondsWritten > 0 says its shorter file was kept
    Skipped,  // its output existed when the batch started; outputPath names it, untouched
  };
  Status status = Status::NotStarted;
  // Completed, or Stopped with a file: where its sound is (for a merge, the merged output);
  // Skipped: the output that existed.
  std::string outputPath;
  std::string reason;  // Failed: why
  std::string note;    // Completed: what went wrong without failing it, or empty
  // Seconds of sound in the output file; for a merge, in the merged file once this row ended.
  double secondsWritten = 0.0;
};

struct BatchOutcome {
  bool stopped = false;
  // A merge's one output, empty when no file was left; mergeFailureReason then says why.
  std::string mergedOutputPath;
  std::string mergeFailureReason;
  // A merge whose output existed when it started: mergedOutputPath names that file, untouched.
  bool mergeSkipped = false;
};

}  // namespace varnell

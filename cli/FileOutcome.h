// How each file of varnell-convert's batch ended, and what is being converted now, as the report
// and the progress bar show them.
#pragma once

#include <string>

namespace varnell {

struct FileOutcome {
  // Merged: the file's sound is in a merge's output. Skipped: its output (outputPath) existed.
  // MergeStopped: a merge's file that a stop ended, whose first part is in the merged output.
  enum class Kind { Completed, Failed, Stopped, NotStarted, Merged, MergeStopped, Skipped };
  Kind kind = Kind::Failed;
  std::string sourcePath;
  std::string outputPath;
  std::string reason;
  std::string note;  // Completed or Merged: what went wrong without failing the file, or empty
};

struct ActiveFile {
  std::string sourcePath;
  int percent = -1;
};

struct MergedFile {
  std::string outputPath;     // empty when no output was left
  std::string failureReason;  // why not
  bool stopped = false;
  bool skipped = false;  // the output existed: outputPath names it, and the files' lines say so
};

}  // namespace varnell

// What varnell-convert tells the user while a batch runs: a result line per file (followed by a
// Note line for a completed file that carries a note) and the summary on standard output, the
// progress bar and the stop notices on standard error. Every call but StopRequested comes from the
// thread that runs the batch, so lines never interleave.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/FileOutcome.h"
#include "cli/ProgressLine.h"
#include "cli/ResultLines.h"

namespace varnell {

class BatchReport {
 public:
  // Exit status after a stop: 128 + the stop signal (130 for Ctrl+C, 143 for SIGTERM, 129 for
  // SIGHUP), or 141, 128 + SIGPIPE, when standard output closed.
  static constexpr int kExitOutputClosed = 141;

  BatchReport(ResultLines& results, std::FILE* messages, bool drawProgress, int totalFiles);

  void OnOutcome(const FileOutcome& outcome);
  void OnTick(const std::vector<ActiveFile>& active, int ended,
              std::optional<double> secondsLeft = std::nullopt);
  // The line of a merge's output, after the files' lines.
  void OnMergedOutput(const MergedFile& merged);
  // A source the Trash took ("Trashed:" line), or one that stays, with why (a warning).
  void OnSourceTrashed(const std::string& source, const std::string& failure);

  // A stop signal came or standard output closed. Any thread.
  bool StopRequested() const;

  // Removes the progress bar, writes the summary and returns the exit status: 0 when every file
  // completed, 1 when any failed, the stop's status after a stop.
  int Finish();

 private:
  void AnnounceStop();
  void WriteNote(const std::string& path, const std::string& note);

  ResultLines& results_;
  std::FILE* messages_;
  ProgressLine progress_;
  int completed_ = 0;
  int failed_ = 0;
  int skipped_ = 0;  // outputs that existed
  int stopped_ = 0;  // shortened by a stop
  int notStarted_ = 0;
  bool stopAnnounced_ = false;
  bool repeatAnnounced_ = false;
};

}  // namespace varnell

#include "cli/BatchReport.h"

#include <string>

#include "cli/StopSignals.h"
#include "cli/TerminalText.h"

namespace varnell {

BatchReport::BatchReport(ResultLines& results, std::FILE* messages, bool drawProgress,
                         int totalFiles)
    : results_(results), messages_(messages), progress_(messages, drawProgress, totalFiles) {}

void BatchReport::OnOutcome(const FileOutcome& outcome) {
  progress_.Clear();
  switch (outcome.kind) {
    case FileOutcome::Kind::Completed:
      ++completed_;
      results_.Write("Completed: " + EscapedForTerminal(outcome.outputPath));
      WriteNote(outcome.outputPath, outcome.note);
      break;
    case FileOutcome::Kind::Failed:
      ++failed_;
      results_.Write("Failure: " + EscapedForTerminal(outcome.sourcePath) + ": " +
                     EscapedForTerminal(outcome.reason));
      break;
    case FileOutcome::Kind::Stopped:
      ++stopped_;
      // A stop before the first sample keeps no file, so there is no output to name.
      results_.Write(outcome.outputPath.empty()
                         ? "Stopped: " + EscapedForTerminal(outcome.sourcePath) +
                               ": stopped before any sound, no file written"
                         : "Stopped: " + EscapedForTerminal(outcome.outputPath));
      break;
    case FileOutcome::Kind::Merged:
      ++completed_;
      results_.Write("Merged: " + EscapedForTerminal(outcome.sourcePath));
      WriteNote(outcome.sourcePath, outcome.note);
      break;
    case FileOutcome::Kind::Skipped:
      ++skipped_;
      results_.Write("Skipped: " + EscapedForTerminal(outcome.sourcePath) + ": " +
                     EscapedForTerminal(outcome.outputPath) + " exists");
      break;
    case FileOutcome::Kind::MergeStopped:
      ++stopped_;  // the merged output's line says what was kept
      break;
    case FileOutcome::Kind::NotStarted:
      ++notStarted_;
      break;
  }
}

// What went wrong without failing a file, named as the line before names it.
void BatchReport::WriteNote(const std::string& path, const std::string& note) {
  if (note.empty()) return;
  results_.Write("Note: " + EscapedForTerminal(path) + ": " + EscapedForTerminal(note));
}

void BatchReport::OnMergedOutput(const MergedFile& merged) {
  progress_.Clear();
  if (merged.skipped) return;  // each file's line named the output that exists
  const std::string kind = merged.stopped              ? "Stopped: "
                           : merged.outputPath.empty() ? "Failure: "
                                                       : "Completed: ";
  results_.Write(kind + (merged.outputPath.empty()
                             ? "no output: " + EscapedForTerminal(merged.failureReason)
                             : EscapedForTerminal(merged.outputPath)));
}

void BatchReport::OnTick(const std::vector<ActiveFile>& active, int ended,
                         std::optional<double> secondsLeft) {
  AnnounceStop();
  progress_.Draw(active, ended, secondsLeft);
}

void BatchReport::OnSourceTrashed(const std::string& source, const std::string& failure) {
  progress_.Clear();
  if (failure.empty()) {
    results_.Write("Trashed: " + EscapedForTerminal(source));
    return;
  }
  std::fprintf(messages_, "varnell-convert: warning: %s stays: it cannot go to the Trash: %s\n",
               EscapedForTerminal(source).c_str(), EscapedForTerminal(failure).c_str());
  std::fflush(messages_);
}

bool BatchReport::StopRequested() const { return FirstStopSignal() != 0 || results_.closed(); }

// Tells the user once that the stop has been seen, and once that a further signal changes
// nothing, so that a second Ctrl+C is not mistaken for being lost.
void BatchReport::AnnounceStop() {
  const int signal = FirstStopSignal();
  if (!stopAnnounced_ && StopRequested()) {
    stopAnnounced_ = true;
    progress_.Clear();
    if (signal != 0) {
      std::fprintf(messages_,
                   "varnell-convert: %s: stopping; the files being converted end here, shortened, "
                   "and no other file starts\n",
                   StopSignalName(signal));
    } else {
      std::fputs(
          "varnell-convert: standard output is closed: stopping after the files being "
          "converted\n",
          messages_);
    }
  }
  if (!repeatAnnounced_ && StopSignalCount() > 1) {
    repeatAnnounced_ = true;
    progress_.Clear();
    std::fputs("varnell-convert: already stopping; the files being converted are being finished\n",
               messages_);
  }
  std::fflush(messages_);
}

int BatchReport::Finish() {
  progress_.Clear();
  // What a stop left unfinished is counted too, so that the counts add up to the files given.
  const auto counted = [](int count, const char* what) {
    return count > 0 ? std::to_string(count) + what : std::string();
  };
  results_.Write(std::to_string(completed_) + " completed, " + counted(skipped_, " skipped, ") +
                 counted(stopped_, " stopped, ") + counted(notStarted_, " not started, ") +
                 std::to_string(failed_) + " failed");
  AnnounceStop();  // a stop after the last tick, or the summary that could not be written
  if (const int signal = FirstStopSignal(); signal != 0) return 128 + signal;
  if (results_.closed()) return kExitOutputClosed;
  return failed_ > 0 ? 1 : 0;
}

}  // namespace varnell

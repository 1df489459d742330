// Writes a batch into the engine object: the per-row tables built from the task rows and the
// output settings translated into the media parameter block. Used by the main window's launch
// commands and by the command-line converter, so both convert alike.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/AVConvert.h"
#include "settings/OutputSettings.h"

namespace varnell {

// The texts of one task-list row that a batch reads.
struct TaskRow {
  std::string sourcePath;       // column 0
  std::string startTime;        // column 1, clip-time text
  std::string endTime;          // column 2, clip-time text
  std::string durationSeconds;  // column 5, whole seconds of the source ("%d")
  bool checked = true;
};

enum class JobKind { ConvertFiles, MergeFiles };

// Fills the engine's job from the rows and returns the row map (task index -> row, -1 for an
// unchecked row). The tables are sized from the row count. The output path of each checked row is
// folder + "/" + base name + the extension of formatName. A row whose end time is its file's
// whole-second duration converts to the real end of the file (kClipToTheEnd), since that text
// is what a freshly added row holds. For a merge the job also gets mergeTotalSeconds and
// mergeTotalLength; the latter opens each row that runs to the end to measure it. Must not be
// called while the engine's worker runs.
std::vector<int> BuildConversionJob(AVConvert& engine, const std::vector<TaskRow>& rows,
                                    std::string_view acceptedFolder, std::string_view formatName,
                                    const OutputSettings& settings,
                                    JobKind kind = JobKind::ConvertFiles);

// Copies and translates the output settings into the media parameter block, overwriting every
// probed value. An unknown frame-rate or video-codec text gives 0 (the source's rate, no video
// codec); an unknown audio codec name makes the job fail: jobFailureReason says which name.
void ApplyOutputSettings(AVConvert& engine, const OutputSettings& settings);

}  // namespace varnell

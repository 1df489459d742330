// The job of a batch, built from the task rows and the output settings. Used by the main window's
// launch commands and by the command-line converter, so both convert alike.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Job.h"
#include "settings/OutputFormats.h"
#include "settings/OutputNamePattern.h"
#include "settings/OutputSettings.h"

namespace varnell {

// The texts of one task-list row that a batch reads.
struct TaskRow {
  std::string sourcePath;       // column 0
  std::string startTime;        // column 1, clip-time text
  std::string endTime;          // column 2, clip-time text
  std::string durationSeconds;  // column 5, whole seconds of the source ("%d")
  bool checked = true;
  // The end was typed as a time (the command line's --end): it is exact, also when it falls on
  // the whole-second duration. The window's rows leave it false: there the whole-second
  // duration is what a row gets when it is added and what the clip dialog shows as the end of
  // its range (Reset and Set Begin Time put the end there), so it stands for the real end.
  bool endChosen = false;
  // How long the file runs by its container, when the caller has just probed it; a merge's
  // progress divisor then needs no second look at the file.
  std::optional<double> probedSeconds{};
  // Below the output folder, for a file added with its folder ("Lib/Disc 1"); empty for one
  // that goes straight into it.
  std::string outputSubfolder{};
  // A row split from one chapter of its source: the chapter's range in seconds, exact (the
  // start and end texts show it in whole seconds and are not read then), its title and its
  // number from 1. chapterNumber is 0 for every other row.
  std::optional<double> exactBeginSeconds{};
  std::optional<double> exactEndSeconds{};
  std::string chapterTitle{};
  int chapterNumber = 0;
  // The source's tags from the probe that added the row, for the name pattern; none when the
  // caller has not read them (the job then reads them, only when the pattern uses a tag).
  std::optional<NameTags> tags{};
};

// The job of the rows: one job row per task row, an unchecked row unselected. The output path of
// each checked row is folder + "/" + base name + the output's extension. A row whose end was
// not chosen and whose end time is its file's whole-second duration converts to the real end of
// the file (kClipToTheEnd), since that text is what a freshly added row holds; a chosen end is
// exact (a file that ends sooner ends the clip at its real end). For a merge the job also gets
// its planned length, which opens each row that runs to the end and has no probedSeconds to
// measure it. The output settings become the job's targets; an unknown frame-rate or video-codec
// text gives 0 (the source's rate, no video codec); an unknown audio codec name makes the job
// fail: its failureReason says which name, as does a format FFmpeg has no muxer for. A row's
// outputSubfolder comes between the folder and the base name; a merge's one output ignores it.
// With a name pattern (settings.namePattern, or kChapterNamePattern for a chapter row) the name
// below those folders is the pattern's, its folders added to the row's outputSubfolder; a
// pattern NamePatternProblem refuses makes the job fail.
Job BuildJob(const std::vector<TaskRow>& rows, std::string_view acceptedFolder,
             const OutputChoice& output, const OutputSettings& settings,
             JobKind kind = JobKind::ConvertFiles);

}  // namespace varnell

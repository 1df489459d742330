// What a batch is asked to do, as one value: built by the caller before the batch starts and
// never changed while it runs. The worker threads only read it.
#pragma once

#include <limits>
#include <string>
#include <vector>

#include "engine/AudioTarget.h"
#include "engine/VideoTarget.h"
#include "settings/OutputFormats.h"

namespace varnell {

// A clip length that means "to the real end of the file".
inline constexpr double kClipToTheEnd = std::numeric_limits<double>::infinity();

enum class JobKind { ConvertFiles, MergeFiles };

struct JobRow {
  // Empty for a row that is not to be converted: it is passed over without touching the disk.
  std::string sourcePath;
  // Folder + base name + the format's extension, before the collision loop makes it unique.
  std::string outputPath;
  // The part of outputPath's folder below the batch's output folder ("Lib/Disc 1"), created by
  // the worker when missing; empty when the output goes straight into the output folder.
  std::string outputSubfolder;
  double clipBegin = 0.0;             // seconds
  double clipLength = kClipToTheEnd;  // seconds, or kClipToTheEnd
  // A row split from a chapter (see TaskRow): its title and number from 1; 0 for other rows.
  std::string chapterTitle;
  int chapterNumber = 0;
  // With Job::skipExisting: outputPath as it existed when the batch started, set by the worker
  // before any row runs (MarkExistingOutputs); the row is then not converted. Empty otherwise.
  std::string existingOutput;

  bool selected() const { return !sourcePath.empty(); }
};

struct Job {
  JobKind kind = JobKind::ConvertFiles;
  std::vector<JobRow> rows;
  const OutputFormat* format = OutputFormatOfExtension(".mp3");  // never null
  AudioTarget audio;
  // The output gets a video stream when this is set and the source has one (a cover is not).
  bool videoOutput = false;
  VideoTarget video;
  bool thumbnail = false;  // NAME.THM beside each output, of its first picture
  // A row whose outputPath exists when the batch starts is skipped, not numbered anew.
  bool skipExisting = false;
  // Merge only: the planned length of the merged output in seconds, the progress divisor.
  double mergeSeconds = 0.0;
  // Why the job could not be built ("unknown audio codec OPUS"); every selected row then fails
  // with it. Empty for a job that can run.
  std::string failureReason;

  int selectedRows() const {
    int count = 0;
    for (const JobRow& row : rows) count += row.selected() ? 1 : 0;
    return count;
  }
};

}  // namespace varnell

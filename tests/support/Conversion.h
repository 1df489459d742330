// Runs files through the engine the way a launch does: probe, job rows, the per-file worker.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/AVConvert.h"
#include "engine/ClipTime.h"
#include "engine/ConversionJob.h"
#include "settings/ProfileChoice.h"

namespace varnell::testing {

struct ConversionOptions {
  int profileItem = 0;  // 0 MP3, 1 WMA
  std::string start = "00:00:00";
  std::optional<std::string> end;  // none: the row's end as a freshly added row has it
  std::optional<std::string> audioCodecName;
  std::optional<int> audioBitRate, sampleRate, channels;
};

struct RowOutcome {
  std::uint8_t status = kTaskPending;
  std::string outputPath;
  std::string reason;
};

inline OutputSettings SettingsFor(const ConversionOptions& options) {
  OutputSettings settings;
  int presetCode = 0;
  ApplyProfileChoice(options.profileItem, settings, presetCode);
  if (options.audioCodecName) settings.audioCodecName = *options.audioCodecName;
  if (options.audioBitRate) settings.audioBitRate = *options.audioBitRate;
  if (options.sampleRate) settings.sampleRate = *options.sampleRate;
  if (options.channels) settings.channels = *options.channels;
  return settings;
}

// A task row for `path` as adding the file makes it (probing it for its duration).
inline TaskRow AddedRow(AVConvert& engine, const std::string& path,
                        const ConversionOptions& options = {}) {
  TaskRow row;
  row.sourcePath = path;
  row.startTime = options.start;
  engine.probePath = path;
  if (engine.ProbeSourceFile() == kProbeOk) {
    row.endTime = options.end.value_or(FormatClipTime(engine.durationSeconds));
    row.durationSeconds = std::to_string(engine.durationSeconds);
  } else {
    row.endTime = options.end.value_or("00:00:00");
  }
  return row;
}

inline const char* FormatNameFor(const ConversionOptions& options) {
  return options.profileItem == 1 ? kWmaProfileName : kMp3ProfileName;
}

// Converts the rows on the engine's worker thread and returns each row's outcome.
inline std::vector<RowOutcome> RunBatch(AVConvert& engine, const std::vector<TaskRow>& rows,
                                        const std::string& folder,
                                        const ConversionOptions& options = {}) {
  BuildConversionJob(engine, rows, folder, FormatNameFor(options), SettingsFor(options));
  engine.currentFilePercent = 0;
  engine.StartConvertFiles();
  engine.JoinWorker();
  EXPECT_EQ(engine.currentTaskIndex, static_cast<int>(rows.size()));
  std::vector<RowOutcome> outcomes;
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    outcomes.push_back({engine.taskStatus(row), engine.outputPaths[row], engine.failureReason(row)});
  }
  return outcomes;
}

inline RowOutcome ConvertOne(const std::string& source, const std::string& folder,
                             const ConversionOptions& options = {}) {
  AVConvert engine;
  const TaskRow row = AddedRow(engine, source, options);
  return RunBatch(engine, {row}, folder, options).front();
}

}  // namespace varnell::testing

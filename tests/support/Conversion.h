// Runs files through the engine the way a launch does: probe, job rows, the engine's batch.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "BatchRecorder.h"
#include "engine/ClipTime.h"
#include "engine/ConversionEngine.h"
#include "engine/ConversionJob.h"
#include "engine/SourceProbe.h"
#include "settings/OutputFormats.h"
#include "settings/ProfileChoice.h"

namespace varnell::testing {

struct ConversionOptions {
  int profileItem = 0;    // 0 MP3, 1 WMA
  std::string extension;  // instead: the format of this extension (".flac"), its first encoder
  std::string start = "00:00:00";
  std::optional<std::string> end;  // none: the row's end as a freshly added row has it
  std::optional<std::string> audioCodecName;
  std::optional<int> audioBitRate, sampleRate, channels, vbrQuality, compressionLevel;
  std::string namePattern;
  bool skipExisting = false;
};

inline OutputSettings SettingsFor(const ConversionOptions& options) {
  OutputSettings settings;
  int presetCode = 0;
  ApplyProfileChoice(options.profileItem, settings, presetCode);
  if (!options.extension.empty()) {
    settings.audioCodecName =
        std::string(OutputFormatOfExtension(options.extension)->defaultAudioEncoder());
  }
  if (options.audioCodecName) settings.audioCodecName = *options.audioCodecName;
  if (options.audioBitRate) settings.audioBitRate = *options.audioBitRate;
  if (options.sampleRate) settings.sampleRate = *options.sampleRate;
  if (options.channels) settings.channels = *options.channels;
  if (options.vbrQuality) settings.vbrQuality = *options.vbrQuality;
  if (options.compressionLevel) settings.compressionLevel = *options.compressionLevel;
  settings.namePattern = options.namePattern;
  settings.skipExisting = options.skipExisting;
  return settings;
}

// A task row for `path` as adding the file makes it (probing it for its duration).
inline TaskRow AddedRow(const std::string& path, const ConversionOptions& options = {}) {
  TaskRow row;
  row.sourcePath = path;
  row.startTime = options.start;
  if (const ProbeResult probe = ProbeSource(path); probe.ok()) {
    row.endTime = options.end.value_or(FormatClipTime(probe.durationSeconds));
    row.durationSeconds = std::to_string(probe.durationSeconds);
  } else {
    row.endTime = options.end.value_or("00:00:00");
  }
  return row;
}

inline OutputChoice OutputFor(const ConversionOptions& options) {
  if (!options.extension.empty()) {
    const OutputFormat* format = OutputFormatOfExtension(options.extension);
    EXPECT_NE(format, nullptr) << options.extension;
    if (format != nullptr) return {format, options.extension};
  }
  return OutputChoiceForLabel(options.profileItem == 1 ? kWmaProfileName : kMp3ProfileName);
}

inline Job JobFor(const std::vector<TaskRow>& rows, const std::string& folder,
                  const ConversionOptions& options = {}, JobKind kind = JobKind::ConvertFiles) {
  return BuildJob(rows, folder, OutputFor(options), SettingsFor(options), kind);
}

// Converts the rows on the engine's worker thread and returns each row's outcome.
inline std::vector<RowOutcome> RunBatch(ConversionEngine& engine, const std::vector<TaskRow>& rows,
                                        const std::string& folder,
                                        const ConversionOptions& options = {}) {
  BatchRecorder recorder;
  engine.Start(JobFor(rows, folder, options), recorder);
  engine.Wait();
  EXPECT_TRUE(recorder.seen().batch.has_value());
  std::vector<RowOutcome> outcomes = recorder.outcomes();
  EXPECT_EQ(outcomes.size(), rows.size());
  return outcomes;
}

inline RowOutcome ConvertOne(const std::string& source, const std::string& folder,
                             const ConversionOptions& options = {}) {
  ConversionEngine engine;
  return RunBatch(engine, {AddedRow(source, options)}, folder, options).front();
}

}  // namespace varnell::testing

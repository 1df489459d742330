#include "engine/ConversionJob.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "engine/ClipTime.h"
#include "engine/CodecNames.h"
#include "engine/OutputNaming.h"
#include "media/SourceFile.h"

namespace varnell {
namespace {

// How long a file runs by its container, for a row that converts to the real end; nothing when
// it cannot be opened or does not say (the row then counts with its whole seconds).
std::optional<double> MeasuredSeconds(const std::string& path) {
  SourceFile source;
  if (source.Open(path) < 0 || source.context()->duration <= 0) return std::nullopt;
  return static_cast<double>(source.context()->duration) / AV_TIME_BASE;
}

}  // namespace

std::vector<int> BuildConversionJob(AVConvert& engine, const std::vector<TaskRow>& rows,
                                    std::string_view acceptedFolder, std::string_view formatName,
                                    const OutputSettings& settings, JobKind kind) {
  const int rowCount = static_cast<int>(rows.size());
  engine.ResetJob(rowCount);
  engine.currentFilePercent = -1;
  std::vector<int> rowMap(rows.size(), -1);
  int checked = 0;
  for (int row = 0; row < rowCount; ++row) {
    const TaskRow& task = rows[row];
    if (!task.checked) continue;
    rowMap[row] = row;
    ++checked;
    engine.sourcePaths[row] = task.sourcePath;
    const auto begin = static_cast<double>(ParseClipTime(task.startTime));
    const std::int64_t end = ParseClipTime(task.endTime);
    const bool toTheEnd = !task.endChosen && !task.durationSeconds.empty() &&
                          end == std::atoll(task.durationSeconds.c_str());
    engine.clipBegin[row] = begin;
    engine.clipEnd[row] = static_cast<double>(end);
    engine.clipLength[row] = toTheEnd ? kClipToTheEnd : static_cast<double>(end) - begin;
    if (kind == JobKind::MergeFiles) {
      engine.mergeTotalSeconds = static_cast<int>(engine.mergeTotalSeconds + (end - begin));
      const std::optional<double> measured =
          !toTheEnd ? std::nullopt : task.probedSeconds ? task.probedSeconds : MeasuredSeconds(task.sourcePath);
      engine.mergeTotalLength +=
          measured ? std::max(*measured - begin, 0.0) : static_cast<double>(end) - begin;
    }
    engine.outputPaths[row] = BuildOutputPath(acceptedFolder, task.sourcePath, formatName);
  }
  engine.taskCount = checked;
  ApplyOutputSettings(engine, settings);
  engine.currentTaskIndex = -1;
  engine.stopFlag = false;
  return rowMap;
}

void ApplyOutputSettings(AVConvert& engine, const OutputSettings& settings) {
  engine.videoOutputFlag = !settings.audioOnly;
  engine.thumbnailMode = settings.thumbnail ? 1 : -1;
  engine.videoBitRate = settings.videoBitRate;
  engine.targetWidth = settings.width;
  engine.targetHeight = settings.height;
  // The probe writes the same fields with the source's values, so every target is written here,
  // known or not: nothing of the last probed file may become the job's target.
  engine.targetFrameRate = FrameRateFromText(settings.frameRateText).value_or(0.0);
  engine.audioBitRate = settings.audioBitRate;
  engine.channels = settings.channels;
  engine.sampleRate = settings.sampleRate;
  engine.videoCodecId = VideoCodecIdFromName(settings.videoCodecName).value_or(0);
  engine.videoCodecName = settings.videoCodecName;
  const std::optional<int> audioCodec = AudioCodecIdFromName(settings.audioCodecName);
  engine.audioCodecId = audioCodec.value_or(0);
  engine.jobFailureReason =
      audioCodec ? std::string() : "unknown audio codec \"" + settings.audioCodecName + "\"";
}

}  // namespace varnell

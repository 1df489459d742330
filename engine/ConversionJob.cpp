#include "engine/ConversionJob.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "engine/ClipTime.h"
#include "engine/CodecNames.h"
#include "engine/OutputNaming.h"
#include "engine/SourceTags.h"
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

// The row's name by the pattern; its tags are read from the file only when the probe that added
// the row did not bring them and the pattern uses one.
PatternedName NamedByPattern(const TaskRow& task, std::string_view pattern,
                             std::string_view extension) {
  NameTags read;
  const NameTags* tags = task.tags ? &*task.tags : nullptr;
  if (tags == nullptr && NamePatternReadsTags(pattern)) {
    read = ReadNameTags(task.sourcePath);
    tags = &read;
  }
  const std::string baseName = OutputBaseName(task.sourcePath);
  return ApplyNamePattern(pattern, {baseName, tags, task.chapterTitle, task.chapterNumber},
                          extension);
}

}  // namespace

Job BuildJob(const std::vector<TaskRow>& rows, std::string_view acceptedFolder,
             const OutputChoice& output, const OutputSettings& settings, JobKind kind) {
  Job job;
  job.kind = kind;
  job.format = output.format;
  job.rows.resize(rows.size());
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const TaskRow& task = rows[row];
    if (!task.checked) continue;
    JobRow& target = job.rows[row];
    target.sourcePath = task.sourcePath;
    const auto begin = static_cast<double>(ParseClipTime(task.startTime));
    const std::int64_t end = ParseClipTime(task.endTime);
    const bool toTheEnd = !task.endChosen && !task.durationSeconds.empty() &&
                          end == std::atoll(task.durationSeconds.c_str());
    target.clipBegin = begin;
    target.clipLength = toTheEnd ? kClipToTheEnd : static_cast<double>(end) - begin;
    if (task.exactBeginSeconds && task.exactEndSeconds) {
      target.clipBegin = *task.exactBeginSeconds;
      target.clipLength = *task.exactEndSeconds - *task.exactBeginSeconds;
    }
    target.chapterTitle = task.chapterTitle;
    target.chapterNumber = task.chapterNumber;
    if (kind == JobKind::MergeFiles) {
      const std::optional<double> measured = !toTheEnd ? std::nullopt
                                             : task.probedSeconds
                                                 ? task.probedSeconds
                                                 : MeasuredSeconds(task.sourcePath);
      job.mergeSeconds += task.exactBeginSeconds && task.exactEndSeconds ? target.clipLength
                          : measured ? std::max(*measured - begin, 0.0)
                                     : static_cast<double>(end) - begin;
    }
    if (kind == JobKind::ConvertFiles) target.outputSubfolder = task.outputSubfolder;
    const std::string_view pattern = EffectiveNamePattern(settings.namePattern, task.chapterNumber);
    std::optional<PatternedName> named;
    if (!pattern.empty() && !NamePatternProblem(pattern)) {
      named = NamedByPattern(task, pattern, output.extension);
      if (!named->folders.empty()) {
        if (!target.outputSubfolder.empty()) target.outputSubfolder += '/';
        target.outputSubfolder += named->folders;
      }
    }
    const std::string folder = target.outputSubfolder.empty()
                                   ? std::string(acceptedFolder)
                                   : std::string(acceptedFolder) + '/' + target.outputSubfolder;
    target.outputPath = named ? folder + '/' + named->fileName
                              : BuildOutputPath(folder, task.sourcePath, output.extension);
  }
  job.skipExisting = settings.skipExisting;
  if (const std::optional<std::string> problem = NamePatternProblem(settings.namePattern)) {
    job.failureReason = "name pattern: " + *problem;
  }
  job.videoOutput = !settings.audioOnly;
  job.thumbnail = settings.thumbnail;
  job.video = {settings.videoCodecName,
               VideoCodecIdFromName(settings.videoCodecName).value_or(0),
               settings.width,
               settings.height,
               FrameRateFromText(settings.frameRateText).value_or(0.0),
               settings.videoBitRate};
  const std::optional<int> audioCodec = AudioCodecIdFromName(settings.audioCodecName);
  job.audio = {audioCodec.value_or(0), settings.audioBitRate, settings.sampleRate,
               settings.channels,      settings.vbrQuality,   settings.compressionLevel};
  if (!audioCodec) job.failureReason = "unknown audio codec \"" + settings.audioCodecName + "\"";
  // Refused here, before any row claims an output name: FFmpeg has no muxer for it (dpg).
  if (output.format != nullptr && output.format->muxer.empty()) {
    const std::string name = !output.format->extension.empty() ? std::string(output.format->name())
                             : output.extension.empty()        ? "output"
                                                               : output.extension.substr(1);
    job.failureReason = "the " + name + " format cannot be written by this build";
  }
  return job;
}

}  // namespace varnell

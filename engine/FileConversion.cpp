#include "engine/FileConversion.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "engine/AudioReader.h"
#include "engine/AudioSink.h"
#include "engine/ChapterFrames.h"
#include "engine/ConversionFailure.h"
#include "engine/OutputFile.h"
#include "engine/OutputNaming.h"
#include "engine/SourceChapters.h"
#include "engine/ThumbnailWriter.h"
#include "engine/VideoReader.h"
#include "engine/VideoSink.h"

namespace varnell {
namespace {

void ReportProgress(double secondsWritten, double windowSeconds, const RowProgress& progress) {
  if (windowSeconds <= 0.0) return;
  progress.Set(static_cast<int>(std::min(secondsWritten * 100.0 / windowSeconds, 100.0)));
}

// Which of the source's streams the output takes. Only a video output looks: an audio output
// reads the sound, and a source without it fails as the audio reader says.
struct SourceStreams {
  bool audio = true;
  bool video = false;
};

SourceStreams StreamsToRead(const FileConversionRequest& request) {
  if (!request.videoOutput) return {};
  SourceFile source;
  if (const int result = source.Open(request.sourcePath); result < 0) {
    FailConversion(source.failedStep(), result);
  }
  const bool video = source.videoStreamIndex() != SourceFile::kNoStream;
  const bool audio = source.audioStreamIndex() != SourceFile::kNoStream;
  // A source with neither goes to the audio reader, which says what is missing.
  return {audio || !video, video};
}

}  // namespace

void CreateOutputSubfolder(const FileConversionRequest& request) {
  if (request.outputSubfolder.empty()) return;
  const std::string folder = OutputFolderOf(request.outputPath);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) FailConversion("cannot create output folder " + folder + ": " + error.message());
}

// One reader per stream, each into its sink. The readers are declared first so that they outlive
// the output and the sinks; an output destroyed before its Complete() removes its file. The video
// sink is made before the audio one: video is stream 0. A source without sound (a screen
// recording) gives a video output with the pictures alone.
CompletedOutput ConvertToCompletedOutput(const FileConversionRequest& request,
                                         const std::atomic<bool>& stopFlag, RowProgress progress) {
  const ClipWindow clip{request.clipBegin, request.clipLength};
  const SourceStreams streams = StreamsToRead(request);
  std::optional<AudioReader> audio;
  if (streams.audio) audio.emplace(request.sourcePath, clip);
  std::optional<VideoReader> video;
  if (streams.video) video.emplace(request.sourcePath, clip);
  if (request.clipLength <= 0.0)
    FailConversion("nothing to convert: the clip ends where it starts");

  CreateOutputSubfolder(request);
  OutputFile output(request.outputPath, *request.format);
  std::optional<VideoSink> videoSink;
  if (video) videoSink.emplace(request.video, video->facts(), output);
  std::optional<AudioSink> audioSink;
  if (audio) audioSink.emplace(request.audio, audio->format(), output);
  std::optional<ThumbnailWriter> thumbnail;
  if (video && request.thumbnail) thumbnail.emplace();
  const SourceFile& source = audio ? audio->source() : video->source();
  output.KeepChapters(
      ChaptersInClip(ChaptersOf(*source.context()), request.clipBegin, request.clipLength));
  std::string coverNote =
      StartOutputOf(source, audio ? audio->stream() : video->stream(), request, output);
  if (audio) audio->ConnectTo(*audioSink);
  if (video) video->ConnectTo(*videoSink, thumbnail ? &*thumbnail : nullptr);

  const double windowSeconds = audio ? audio->windowSeconds() : video->windowSeconds();
  const RowStreams row{audio ? &*audio : nullptr, audioSink ? &*audioSink : nullptr,
                       video ? &*video : nullptr, videoSink ? &*videoSink : nullptr};
  const bool stopped = StepRow(
      row, stopFlag, [&](double position) { ReportProgress(position, windowSeconds, progress); });
  // A stopped file is kept only when it holds something; one stopped before its first sample
  // (or, without sound, its first picture) goes the way of a failed one.
  const bool holdsSomething =
      audioSink ? audioSink->samplesWritten() > 0 : videoSink->framesWritten() > 0;
  if (stopped && !holdsSomething) return CompletedOutput();
  if (videoSink) videoSink->Flush();
  if (audioSink) audioSink->Flush();
  std::unique_ptr<ClaimedOutputFile> file = output.Complete();
  progress.Set(100);
  const double seconds = audioSink ? audioSink->secondsWritten() : videoSink->secondsWritten();
  CompletedOutput completed(std::move(file), std::move(thumbnail), stopped, seconds);
  completed.AddNote(std::move(coverNote));
  if (request.videoOutput && !video) completed.AddNote(kNoVideoInSourceNote);
  return completed;
}

bool StepRow(const RowStreams& row, const std::atomic<bool>& stopFlag,
             const std::function<void(double position)>& reportPosition) {
  bool audioGoesOn = row.audio != nullptr;
  bool videoGoesOn = row.video != nullptr;
  while (!stopFlag.load() && (audioGoesOn || videoGoesOn)) {
    const double audioPosition = row.audioSink ? row.audioSink->secondsWritten() : 0.0;
    const double videoPosition = row.videoSink ? row.videoSink->secondsWritten() : 0.0;
    if (videoGoesOn && (!audioGoesOn || videoPosition <= audioPosition)) {
      videoGoesOn = row.video->Step(*row.videoSink);
    } else {
      audioGoesOn = row.audio->Step(*row.audioSink);
    }
    reportPosition(std::max(row.audioSink ? row.audioSink->secondsWritten() : 0.0,
                            row.videoSink ? row.videoSink->secondsWritten() : 0.0));
  }
  if (stopFlag.load()) return true;
  if (row.audio) row.audio->CheckSomethingDelivered();
  if (row.video) row.video->CheckSomethingDelivered();
  if (row.video && !row.audio) row.video->CheckReadToItsEnd();
  return false;
}

bool HasVideoStream(const AudioReader& reader) {
  return reader.source().videoStreamIndex() != SourceFile::kNoStream;
}

std::string StartOutputOf(const SourceFile& source, const AVStream& stream,
                          const FileConversionRequest& request, OutputFile& output) {
  std::string note = output.AddCoverPicture(source.stream(source.coverStreamIndex()));
  output.CopyTags(source.context()->metadata);
  output.CopyTags(stream.metadata);
  if (request.chapterNumber > 0) {
    if (!request.chapterTitle.empty()) output.SetTag("title", request.chapterTitle);
    output.SetTag("track", std::to_string(request.chapterNumber));
  }
  output.Start();
  return note;
}

std::string RowChapterTitle(const SourceFile& source, const FileConversionRequest& request) {
  if (request.chapterNumber > 0 && !request.chapterTitle.empty()) return request.chapterTitle;
  // An Ogg source keeps its tags in its audio stream's comments.
  const AVStream* audio = source.stream(source.audioStreamIndex());
  for (const AVDictionary* tags :
       {source.context() != nullptr ? source.context()->metadata : nullptr,
        audio != nullptr ? audio->metadata : nullptr}) {
    const AVDictionaryEntry* title = av_dict_get(tags, "title", nullptr, 0);
    if (title != nullptr && *title->value != '\0') return title->value;
  }
  return std::filesystem::path(request.sourcePath).stem().string();
}

}  // namespace varnell

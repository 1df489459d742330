#include "engine/FileConversion.h"

#include <algorithm>
#include <optional>

#include "engine/AudioReader.h"
#include "engine/AudioSink.h"
#include "engine/ConversionFailure.h"
#include "engine/OutputFile.h"
#include "engine/ThumbnailWriter.h"
#include "engine/VideoReader.h"
#include "engine/VideoSink.h"

namespace varnell {
namespace {

void ReportProgress(double secondsWritten, double windowSeconds, std::atomic<int>& percent) {
  if (windowSeconds <= 0.0) return;
  percent = static_cast<int>(std::min(secondsWritten * 100.0 / windowSeconds, 100.0));
}

}  // namespace

// One reader per stream, each into its sink. The readers are declared first so that they outlive
// the output and the sinks; an output destroyed before its Finish() removes its file. The video
// sink is made before the audio one: video is stream 0.
FileConversionResult ConvertFile(const FileConversionRequest& request,
                                 const std::atomic<bool>& stopFlag,
                                 std::atomic<int>& currentFilePercent) {
  const ClipWindow clip{request.clipBegin, request.clipLength};
  AudioReader reader(request.sourcePath, clip);
  if (request.clipLength <= 0.0) FailConversion("nothing to convert: the clip ends where it starts");
  std::optional<VideoReader> video;
  if (request.videoOutput && HasVideoStream(reader)) video.emplace(request.sourcePath, clip);

  OutputFile output(request.outputPath);
  std::optional<VideoSink> videoSink;
  if (video) videoSink.emplace(request.video, video->facts(), output);
  AudioSink sink(request.audio, reader.decodedFormat(), output);
  std::optional<ThumbnailWriter> thumbnail;
  if (video && request.thumbnail) thumbnail.emplace();
  StartOutputOf(reader, output);
  reader.ConnectTo(sink);
  if (video) video->ConnectTo(*videoSink, thumbnail ? &*thumbnail : nullptr);

  const double windowSeconds = reader.windowSeconds();
  const RowStreams row{reader, sink, video ? &*video : nullptr, video ? &*videoSink : nullptr};
  const bool stopped = StepRow(row, stopFlag, [&](double position) {
    ReportProgress(position, windowSeconds, currentFilePercent);
  });
  // A stopped file is kept only when it holds sound; one stopped before its first sample goes
  // the way of a failed one.
  if (stopped && sink.samplesWritten() == 0) return {std::string(), true, 0.0, std::string()};
  if (videoSink) videoSink->Flush();
  sink.Flush();
  output.Finish();
  if (thumbnail) thumbnail->PublishBeside(output.path());
  currentFilePercent = 100;
  FileConversionResult result{output.path(), stopped, sink.secondsWritten(), std::string()};
  if (thumbnail && !thumbnail->failure().empty()) {
    result.note = "thumbnail not written: " + thumbnail->failure();
  }
  return result;
}

bool StepRow(const RowStreams& row, const std::atomic<bool>& stopFlag,
             const std::function<void(double position)>& reportPosition) {
  bool audioGoesOn = true;
  bool videoGoesOn = row.video != nullptr;
  while (!stopFlag.load() && (audioGoesOn || videoGoesOn)) {
    const bool videoNext = videoGoesOn && (!audioGoesOn || row.videoSink->secondsWritten() <=
                                                               row.audioSink.secondsWritten());
    if (videoNext) {
      videoGoesOn = row.video->Step(*row.videoSink);
    } else {
      audioGoesOn = row.audio.Step(row.audioSink);
    }
    const double videoPosition = row.videoSink ? row.videoSink->secondsWritten() : 0.0;
    reportPosition(std::max(row.audioSink.secondsWritten(), videoPosition));
  }
  if (stopFlag.load()) return true;
  row.audio.CheckSomethingDelivered();
  if (row.video) row.video->CheckSomethingDelivered();
  return false;
}

bool HasVideoStream(const AudioReader& reader) {
  return reader.source().videoStreamIndex() != SourceFile::kNoStream;
}

void StartOutputOf(const AudioReader& reader, OutputFile& output) {
  output.AddCoverPicture(reader.source().stream(reader.source().coverStreamIndex()));
  output.CopyTags(reader.source().context()->metadata);
  output.CopyTags(reader.stream().metadata);
  output.Start();
}

}  // namespace varnell

#include "engine/MergedOutput.h"

#include "engine/AudioReader.h"
#include "engine/CompletedOutput.h"
#include "engine/ConversionFailure.h"
#include "engine/MergeProgress.h"
#include "engine/RowBoundary.h"
#include "engine/SourceWholeness.h"
#include "engine/VideoReader.h"

namespace varnell {

// The row's readers are declared before anything can throw past them and die with the row; the
// sinks outlive them.
bool MergedOutput::MergeRow(const FileConversionRequest& request, const std::atomic<bool>& stopFlag,
                            MergeProgress& progress) {
  rowNote_.clear();
  const ClipWindow clip{request.clipBegin, request.clipLength};
  AudioReader reader(request.sourcePath, clip);
  if (request.clipLength <= 0.0)
    FailConversion("nothing to convert: the clip ends where it starts");
  CheckSourceHoldsClip(request.sourcePath, reader.stream().index, clip);
  std::optional<VideoReader> video;
  if (request.videoOutput && HasVideoStream(reader)) video.emplace(request.sourcePath, clip);
  if (!sink_) {
    SetUp(reader, video ? &*video : nullptr, request);
  } else if (video && !videoSink_) {
    FailConversion("the merged file has no video stream");
  }
  // No source of the merge had video; a row without video in a file that has it says nothing:
  // the pictures wait for the sound, as they would for any gap.
  if (request.videoOutput && !videoSink_) AppendNote(rowNote_, kNoVideoInSourceNote);
  reader.ConnectTo(*sink_);
  if (video) video->ConnectTo(*videoSink_, thumbnail_ ? &*thumbnail_ : nullptr);
  if (videoSink_) AlignVideoToSound();
  const RowStreams row{&reader, &*sink_, video ? &*video : nullptr, video ? &*videoSink_ : nullptr};
  const double rowStart = seconds();
  std::string title = RowChapterTitle(reader.source(), request);
  bool stopped = false;
  try {
    stopped = StepRow(row, stopFlag, [&progress](double position) { progress.Report(position); });
  } catch (...) {
    // The sound a failed row leaves in the file is still found by its chapter.
    EndRowChapter(rowStart, std::move(title));
    throw;
  }
  EndRowChapter(rowStart, std::move(title));
  return stopped;
}

void MergedOutput::EndRowChapter(double start, std::string title) {
  if (seconds() > start) chapters_.push_back({start, seconds(), std::move(title)});
}

// The video sink is made before the audio one: video is stream 0. A first row without video
// takes the video's set-up from the first source that has some, so that the later rows' pictures
// have a stream to go to.
void MergedOutput::SetUp(const AudioReader& reader, const VideoReader* video,
                         const FileConversionRequest& request) {
  try {
    output_.emplace(request.outputPath, *request.format);
    std::optional<VideoSourceFacts> videoFacts;
    if (video) {
      videoFacts = video->facts();
    } else if (request.videoOutput) {
      videoFacts = FirstVideoFacts();
    }
    if (videoFacts) videoSink_.emplace(request.video, *videoFacts, *output_);
    sink_.emplace(target_, reader.format(), *output_);
    if (videoSink_ && request.thumbnail) thumbnail_.emplace();
    output_->ReserveChapterRoom(chapterTitles_);
    AppendNote(rowNote_, StartOutputOf(reader.source(), reader.stream(), request, *output_));
  } catch (...) {
    outputFailed_ = true;
    throw;
  }
}

// Opening a source and its decoder takes a few milliseconds; nothing is read.
std::optional<VideoSourceFacts> MergedOutput::FirstVideoFacts() const {
  for (const std::string& path : sources_) {
    SourceFile source;
    if (source.Open(path) < 0 || source.videoStreamIndex() == SourceFile::kNoStream) continue;
    // A source whose video cannot be decoded fails as its own row; the next one may serve.
    std::optional<VideoSourceFacts> facts;
    FailureOf([&] { facts = VideoReader(path, ClipWindow{}).facts(); });
    if (facts) return facts;
  }
  return std::nullopt;
}

// Sound before the first picture (a first row without video) begins with one black picture:
// a gap at the start would be lost in AVI, which counts frames from its first.
void MergedOutput::AlignVideoToSound() {
  const std::int64_t soundFrames = av_rescale_q(sink_->samplesWritten(), {1, sink_->sampleRate()},
                                                av_inv_q(videoSink_->frameRate()));
  if (soundFrames > 0 && videoSink_->framesWritten() == 0) videoSink_->WriteBlackPicture();
  videoSink_->LeaveGap(soundFrames - videoSink_->framesWritten());
}

bool MergedOutput::broken() const {
  return outputFailed_ || (sink_ && sink_->failed()) || (videoSink_ && videoSink_->failed());
}

void MergedOutput::DropIfSilent() {
  if (!holdsSound()) Discard();
}

void MergedOutput::Discard() {
  chapters_.clear();
  thumbnail_.reset();
  sink_.reset();
  videoSink_.reset();
  output_.reset();
}

std::string MergedOutput::Finish() {
  if (videoSink_) videoSink_->Flush();
  sink_->Flush();
  try {
    output_->KeepChapters(chapters_);
    // Named like a row's output, with its thumbnail as a pair. A merge has no one row to note a
    // failed side file on; the merged file itself is complete.
    CompletedOutput completed(output_->Complete(), std::move(thumbnail_), false, seconds());
    return completed.Publish().outputPath;
  } catch (...) {
    outputFailed_ = true;
    throw;
  }
}

}  // namespace varnell

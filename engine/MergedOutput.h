// The one output of a merge: set up by the first row whose source opens (its output path, its
// tags and, for MP3, its cover; a video stream when the job is a video output and any of the
// merge's sources has video, set up from the first of them that has), then fed by each row's
// own readers in turn through ONE sink per stream: one encoder, one FIFO and one running sample
// or frame count for the whole file, so the joins carry no encoder priming or padding and the
// timestamps run on. Each row's video reader scales its own source size to the sink's. At each
// row's start the video is moved up to the audio's position, so a row without video (or with a
// shorter one) leaves the pictures in step with the sound after it; sound before the first
// picture shows a black one. Each row that adds sound is a chapter of the file, from its first
// sample; the sources' own chapters are left out, since the rows' chapters are the ones that
// find the parts of a merged file (and a source's would overlap them). Flushed and finished once,
// after the last row or a stop. Owned and used by the merge worker thread.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "engine/AudioSink.h"
#include "engine/AudioTarget.h"
#include "engine/FileConversion.h"
#include "engine/OutputFile.h"
#include "engine/ThumbnailWriter.h"
#include "engine/VideoSink.h"

namespace varnell {

class AudioReader;
class MergeProgress;
class VideoReader;

class MergedOutput {
 public:
  // sources: the merge's source files in row order, looked at (not read) for the first that
  // has video when a video output is set up. chapterTitles: the titles of the chapters the rows
  // will have (RowChapterTitle), for an output that must leave room for them in its header.
  explicit MergedOutput(AudioTarget target, std::vector<std::string> sources = {},
                        std::vector<std::string> chapterTitles = {})
      : target_(target), sources_(std::move(sources)), chapterTitles_(std::move(chapterTitles)) {}

  // Appends the request's clip. Throws ConversionFailure with the row's reason; when the
  // output itself failed (its set-up, an encoder or a write), broken() is true from then on.
  // A source found truncated or damaged without decoding fails before it adds anything; a row
  // that fails after its first samples keeps them in the output, since the one encoder cannot
  // give back what it has taken. A row with video for an output set up without a video stream
  // fails before writing anything. Returns true when the stop flag ended the row.
  bool MergeRow(const FileConversionRequest& request, const std::atomic<bool>& stopFlag,
                MergeProgress& progress);
  // What the row merged last lacks without failing ("cover left out: ..."); empty when nothing.
  const std::string& rowNote() const { return rowNote_; }

  bool broken() const;
  bool holdsSound() const { return sink_ && sink_->samplesWritten() > 0; }
  // The length of the merged sound so far.
  double seconds() const { return sink_ ? sink_->secondsWritten() : 0.0; }

  // An output that holds no sound yet is given up, so that the next row sets up its own.
  void DropIfSilent();
  // Removes the output file; nothing is left of it.
  void Discard();
  // Flushes the encoders (video first), writes the trailer and publishes the file; returns its
  // path. Needs sound. Throws (and leaves broken()) when that fails.
  std::string Finish();

 private:
  void SetUp(const AudioReader& reader, const VideoReader* video,
             const FileConversionRequest& request);
  // What the first of the sources whose video opens gives a video sink; none when no source
  // has video.
  std::optional<VideoSourceFacts> FirstVideoFacts() const;
  // Leaves the frames that bring the video up to the audio's position; never goes back.
  void AlignVideoToSound();
  // The chapter of the sound a row added since `start`; nothing when it added none.
  void EndRowChapter(double start, std::string title);

  AudioTarget target_;
  std::vector<std::string> sources_;
  std::vector<std::string> chapterTitles_;
  // One chapter per row that added sound, from where its sound starts in the merged file.
  std::vector<SourceChapter> chapters_;
  std::string rowNote_;
  // The sinks write into the output, so they are destroyed first.
  std::optional<OutputFile> output_;
  std::optional<VideoSink> videoSink_;
  std::optional<AudioSink> sink_;
  std::optional<ThumbnailWriter> thumbnail_;
  bool outputFailed_ = false;
};

}  // namespace varnell

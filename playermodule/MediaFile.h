// One opened file: the demuxer, the decoders of the sound and picture streams, the cover
// picture and the duration. Times are seconds from the file's start time.
//
// Threads: the decoding thread uses the demuxer and decoders while it runs; the callers' thread
// seeks only while no decoding thread runs. The facts set by Open (streams, picture size, cover,
// duration) never change afterwards and may be read from any thread.
#pragma once

#include <memory>
#include <string>

#include "media/SourceFile.h"
#include "media/StreamDecoder.h"
#include "playermodule/FFmpegOwners.h"

namespace varnell::player {

class MediaFile {
 public:
  // Null when the file cannot be opened, has nothing to play or its sound cannot be decoded.
  static std::unique_ptr<MediaFile> Open(const std::string& utf8Path);
  MediaFile(const MediaFile&) = delete;
  MediaFile& operator=(const MediaFile&) = delete;

  AVFormatContext* format() const { return source_.context(); }
  bool hasAudio() const { return audio_ != nullptr; }
  bool hasVideo() const { return video_ != nullptr; }
  int audioStreamIndex() const { return audio_ != nullptr ? audio_->index : -1; }
  int videoStreamIndex() const { return video_ != nullptr ? video_->index : -1; }
  AVCodecContext* audioDecoder() const { return audioDecoder_.context(); }
  AVCodecContext* videoDecoder() const { return videoDecoder_.context(); }
  AVRational audioTimeBase() const { return audio_->time_base; }
  AVRational videoTimeBase() const { return video_->time_base; }

  // The attached cover, decoded at Open; null when the file has none (or has a video).
  const AVFrame* cover() const { return cover_.get(); }
  bool hasPicture() const { return cover_ != nullptr || hasVideo(); }
  int pictureWidth() const;
  int pictureHeight() const;

  // Of the sound as decoded when there is sound, else of the whole file; 0 when unknown.
  double durationSeconds() const { return durationSeconds_; }

  // Seconds from the file's start for a timestamp of a stream; NaN for no timestamp.
  double secondsOf(int64_t timestamp, AVRational timeBase) const;

  // Positions the demuxer at or before `seconds` and flushes the decoders.
  bool seek(double seconds);

 private:
  MediaFile() = default;
  bool openStreams();
  void decodeCover(const AVStream& stream);

  SourceFile source_;
  const AVStream* audio_ = nullptr;
  const AVStream* video_ = nullptr;
  StreamDecoder audioDecoder_;
  StreamDecoder videoDecoder_;
  FramePtr cover_;
  double startSeconds_ = 0.0;
  double durationSeconds_ = 0.0;
};

}  // namespace varnell::player

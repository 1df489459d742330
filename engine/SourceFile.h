// A source file opened for reading, with the stream scan the engine uses everywhere: the last
// video stream and the last audio stream win; the first attached picture is the cover.
#pragma once

#include <string>

#include "engine/FFmpegHandles.h"

namespace varnell {

class SourceFile {
 public:
  static constexpr int kNoStream = -1;

  // Opens the file and reads its stream information. Returns 0, or the negative FFmpeg error of
  // the step that failed; failedStep() then names it.
  int Open(const std::string& path);
  // The two steps of Open, for the probe, whose result codes tell them apart.
  int OpenInput(const std::string& path);
  int ReadStreamInfo();

  const std::string& failedStep() const { return failedStep_; }
  AVFormatContext* context() const { return context_.get(); }
  AVStream* stream(int index) const;
  int videoStreamIndex() const { return videoStreamIndex_; }
  int audioStreamIndex() const { return audioStreamIndex_; }
  int coverStreamIndex() const { return coverStreamIndex_; }
  // Low 32 bits of the file's size in bytes, as the media parameter block keeps it.
  int fileSizeLow32() const;

 private:
  void ScanStreams();

  ffmpeg::InputContextPtr context_;
  std::string failedStep_;
  int videoStreamIndex_ = kNoStream;
  int audioStreamIndex_ = kNoStream;
  int coverStreamIndex_ = kNoStream;
};

}  // namespace varnell

// A source file opened for reading: regular files only, through a "file:" URL, with the stream
// choice of media/StreamChoice.h.
#pragma once

#include <initializer_list>
#include <string>

#include "media/FFmpegHandles.h"
#include "media/StreamChoice.h"

namespace varnell {

class SourceFile {
 public:
  static constexpr int kNoStream = StreamChoice::kNoStream;

  // Opens the file and reads its stream information. Returns 0, or the negative FFmpeg error of
  // the step that failed; failedStep() then names it.
  int Open(const std::string& path);
  // The two steps of Open, for the probe, whose result codes tell them apart.
  int OpenInput(const std::string& path);
  int ReadStreamInfo();

  const std::string& failedStep() const { return failedStep_; }
  AVFormatContext* context() const { return context_.get(); }
  AVStream* stream(int index) const;
  int videoStreamIndex() const { return choice_.video; }
  int audioStreamIndex() const { return choice_.audio; }
  int coverStreamIndex() const { return choice_.cover; }
  // Low 32 bits of the file's size in bytes, as the media parameter block keeps it.

  // Lets the demuxer skip every stream but these (kNoStream entries are ignored).
  void ReadOnly(std::initializer_list<int> streams);

 private:
  ffmpeg::InputContextPtr context_;
  std::string failedStep_;
  StreamChoice choice_;
};

}  // namespace varnell

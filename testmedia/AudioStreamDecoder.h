#pragma once

#include <string>
#include <vector>

#include "media/FFmpegHandles.h"
#include "media/StreamDecoder.h"

namespace varnell::testmedia {

struct DecodedAudio {
  int sampleRate = 0;
  int channels = 0;
  std::string channelLayout;
  std::vector<std::vector<float>> samples;  // per channel
  int decodeErrors = 0;
};

// FFmpeg's name for a layout ("stereo", "5.1"); empty if it has none.
std::string DescribeChannelLayout(const AVChannelLayout& layout);

// Decodes one audio stream's packets into planar float, whatever sample format the
// decoder produces. The demuxer context owning the stream must outlive open().
class AudioStreamDecoder {
 public:
  bool open(const AVStream& stream, std::string* error);
  // A null packet drains the decoder; after that, decoded() is complete.
  bool decode(const AVPacket* packet, std::string* error);
  const DecodedAudio& decoded() const { return decoded_; }
  DecodedAudio& decoded() { return decoded_; }

 private:
  bool receiveFrames(std::string* error);
  bool appendFrame(std::string* error);

  StreamDecoder decoder_;
  ffmpeg::FramePtr frame_;
  DecodedAudio decoded_;
};

}  // namespace varnell::testmedia

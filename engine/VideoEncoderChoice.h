// Which of the engine's thirteen video encoders writes a target, and whether it can: the size
// and rate rules of each encoder are checked here, before any file exists, so that a refused
// target fails its row with words ("H.263 encoder: frame size 320x240 not supported (...)")
// instead of a bare code from avcodec_open2. Used by the worker thread of its file.
#pragma once

#include <string>
#include <string_view>

#include "engine/VideoTarget.h"
#include "media/FFmpegHandles.h"

#include "settings/OutputFormats.h"

namespace varnell {

struct VideoEncoderEntry;

class VideoEncoderChoice {
 public:
  // Resolves the encoder (codec text first, then id) and checks it against the output format's
  // container and the target's size, rate and bit rate against the encoder; timeBase
  // comes from VideoTimeBase(). A target of 0x0 takes the source's size, cut down to the sides
  // the encoder takes (even, or multiples of 4). Throws ConversionFailure with the reason when
  // no encoder fits, the container cannot store its video, or the encoder refuses the target.
  VideoEncoderChoice(const VideoTarget& target, AVRational timeBase, const OutputFormat& format,
                     int sourceWidth, int sourceHeight);

  const AVCodec* codec() const { return codec_; }
  const std::string& label() const { return label_; }  // "MPEG-4 encoder"
  AVPixelFormat pixelFormat() const;
  AVRational timeBase() const { return timeBase_; }
  int width() const { return target_.width; }  // the size the encoder writes
  int height() const { return target_.height; }

  // Fills an encoder context in the engine's order of settings: bit rate, size, time base,
  // keyframe interval (the source decoder's), pixel format, no B-frames, the MPEG-1 macroblock
  // decision, the global header when the muxer wants one, and H.264's rate-control settings.
  void Configure(AVCodecContext& context, int keyframeInterval, bool globalHeader) const;

 private:
  // FFmpeg would only refuse the container when the header or a packet is written.
  void CheckContainer(const OutputFormat& format) const;
  void TakeSourceSize(int width, int height);
  void CheckSize(int width, int height) const;
  void CheckRate(double shownRate) const;

  const VideoEncoderEntry* entry_ = nullptr;
  const AVCodec* codec_ = nullptr;
  std::string label_;
  VideoTarget target_;
  AVRational timeBase_{0, 1};
};

}  // namespace varnell

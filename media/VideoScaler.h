// Converts decoded pictures to one output size and pixel format (swscale, bicubic). The
// converter is built for the size, format, range and matrix of the first picture and rebuilt
// whenever a later picture differs, so one scaler serves a source whose size changes mid-stream
// and a merge of sources of different sizes. A YUV source is read in the range and with the
// matrix its picture states (a plain YUV format may still be full range); the output keeps that
// matrix and gets its own format's range. Owned and used by one thread.
#pragma once

#include "media/FFmpegHandles.h"

namespace varnell {

class VideoScaler {
 public:
  VideoScaler(int width, int height, AVPixelFormat format);

  // Converts `source` into the scaler's own picture and points *out at it; the picture keeps
  // the source's timestamps and stays valid until the next call. Returns 0 or the negative
  // FFmpeg error.
  int Scale(const AVFrame& source, const AVFrame** out);

  int width() const { return width_; }
  int height() const { return height_; }
  AVPixelFormat format() const { return format_; }

 private:
  int ConfigureFor(const AVFrame& source);

  int width_;
  int height_;
  AVPixelFormat format_;
  ffmpeg::ScalerPtr scaler_;
  int sourceWidth_ = 0;
  int sourceHeight_ = 0;
  int sourceFormat_ = AV_PIX_FMT_NONE;
  AVColorRange sourceRange_ = AVCOL_RANGE_UNSPECIFIED;
  AVColorSpace sourceMatrix_ = AVCOL_SPC_UNSPECIFIED;
  ffmpeg::FramePtr picture_;
};

}  // namespace varnell

// Turns decoded pictures upright by the display matrix their stream carries (a phone's
// portrait video is stored sideways with a 90-degree matrix). Each picture is converted to
// planar 4:4:4 at its own size, so that every plane turns alike, and turned by whole quarter
// turns; the caller scales the upright picture on to its output. Owned and used by one thread.
#pragma once

#include <optional>

#include "media/FFmpegHandles.h"
#include "media/VideoScaler.h"

namespace varnell {

class PictureRotator {
 public:
  // Clockwise quarter turns (0 to 3) that show the stream's pictures as its display matrix asks;
  // 0 without a matrix, or for one that is not a rotation by a multiple of 90 degrees.
  static int QuarterTurnsOf(const AVStream& stream);

  // quarterTurns: 1, 2 or 3, clockwise.
  explicit PictureRotator(int quarterTurns) : quarterTurns_(quarterTurns) {}

  int quarterTurns() const { return quarterTurns_; }
  // Turns `source` into the rotator's own picture and points *out at it; the picture keeps the
  // source's timestamps and stays valid until the next call. Returns 0 or the negative FFmpeg
  // error.
  int Rotate(const AVFrame& source, const AVFrame** out);

 private:
  int PrepareFor(const AVFrame& source);

  int quarterTurns_;
  std::optional<VideoScaler> planar_;  // to 4:4:4 at the source's size
  ffmpeg::FramePtr turned_;
};

}  // namespace varnell

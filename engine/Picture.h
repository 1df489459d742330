// Pictures of the video path (encoder input, thumbnail, RGB copy): frames with a buffer of their
// own, released with the frame.
#pragma once

#include "engine/FFmpegHandles.h"

namespace varnell {

// A frame of the given format and size whose planes point into one buffer it owns; null when
// the size is not usable or memory runs out.
ffmpeg::FramePtr AllocPicture(AVPixelFormat format, int width, int height);

}  // namespace varnell

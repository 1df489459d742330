// Owners for the FFmpeg objects of the player, from the media layer. Private to playermodule/.
#pragma once

#include "media/FFmpegHandles.h"

namespace varnell::player {

using ffmpeg::CodecContextPtr;
using ffmpeg::FramePtr;
using ffmpeg::InputContextPtr;
using ffmpeg::PacketPtr;
using ffmpeg::PacketUnref;
using ffmpeg::ResamplerPtr;

// A new reference to the frame's buffers; null when memory runs out.
inline FramePtr CloneFrame(const AVFrame& frame) { return FramePtr(av_frame_clone(&frame)); }

}  // namespace varnell::player

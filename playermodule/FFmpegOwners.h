// Owners for the FFmpeg objects of the player, from the media layer. Private to playermodule/.
#pragma once

#include "media/FFmpegHandles.h"

namespace varnell::player {

using ffmpeg::CodecContextPtr;
using ffmpeg::FramePtr;
using ffmpeg::InputContextPtr;
using ffmpeg::PacketPtr;
using ffmpeg::ResamplerPtr;

// Clears a packet's payload when a read or decode step is done with it, on every path.
class PacketUnref {
 public:
  explicit PacketUnref(AVPacket* packet) : packet_(packet) {}
  PacketUnref(const PacketUnref&) = delete;
  PacketUnref& operator=(const PacketUnref&) = delete;
  ~PacketUnref() { av_packet_unref(packet_); }

 private:
  AVPacket* packet_;
};

// A new reference to the frame's buffers; null when memory runs out.
inline FramePtr CloneFrame(const AVFrame& frame) { return FramePtr(av_frame_clone(&frame)); }

}  // namespace varnell::player

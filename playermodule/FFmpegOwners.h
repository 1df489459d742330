// Owners for the FFmpeg objects of the player. Private to playermodule/.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>

namespace varnell::player {

struct InputContextDeleter {
  void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
using InputContextPtr = std::unique_ptr<AVFormatContext, InputContextDeleter>;

struct CodecContextDeleter {
  void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;

struct FrameDeleter {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;

struct PacketDeleter {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;

struct ResamplerDeleter {
  void operator()(SwrContext* context) const { swr_free(&context); }
};
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerDeleter>;

struct ScalerDeleter {
  void operator()(SwsContext* context) const { sws_freeContext(context); }
};
using ScalerPtr = std::unique_ptr<SwsContext, ScalerDeleter>;

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

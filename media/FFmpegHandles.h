// Owners for every FFmpeg object the media layer, the engine, the player library and the test
// media create. Only code that links varnell_media (and FFmpeg) includes this header.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>

namespace varnell::ffmpeg {

struct InputContextDeleter {
  void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
using InputContextPtr = std::unique_ptr<AVFormatContext, InputContextDeleter>;

// An output context owns its byte stream once avio_open has succeeded.
struct OutputContextDeleter {
  void operator()(AVFormatContext* context) const {
    if (context->pb != nullptr && (context->oformat->flags & AVFMT_NOFILE) == 0) {
      avio_closep(&context->pb);
    }
    avformat_free_context(context);
  }
};
using OutputContextPtr = std::unique_ptr<AVFormatContext, OutputContextDeleter>;

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

struct ResamplerDeleter {
  void operator()(SwrContext* context) const { swr_free(&context); }
};
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerDeleter>;

struct ScalerDeleter {
  void operator()(SwsContext* context) const { sws_freeContext(context); }
};
using ScalerPtr = std::unique_ptr<SwsContext, ScalerDeleter>;

struct AudioFifoDeleter {
  void operator()(AVAudioFifo* fifo) const { av_audio_fifo_free(fifo); }
};
using AudioFifoPtr = std::unique_ptr<AVAudioFifo, AudioFifoDeleter>;

// The open calls take AVDictionary** and may replace or consume the dictionary, so it is owned
// by a plain holder rather than a unique_ptr.
class Dictionary {
 public:
  Dictionary() = default;
  Dictionary(const Dictionary&) = delete;
  Dictionary& operator=(const Dictionary&) = delete;
  ~Dictionary() { av_dict_free(&dictionary_); }
  AVDictionary** address() { return &dictionary_; }
  AVDictionary* get() const { return dictionary_; }

 private:
  AVDictionary* dictionary_ = nullptr;
};

// A channel layout that must be uninitialised when it goes out of scope.
class ChannelLayout {
 public:
  ChannelLayout() = default;
  explicit ChannelLayout(int channelCount) { av_channel_layout_default(&layout_, channelCount); }
  ChannelLayout(const ChannelLayout&) = delete;
  ChannelLayout& operator=(const ChannelLayout&) = delete;
  ~ChannelLayout() { av_channel_layout_uninit(&layout_); }
  AVChannelLayout* get() { return &layout_; }
  const AVChannelLayout* get() const { return &layout_; }

 private:
  AVChannelLayout layout_{};
};

}  // namespace varnell::ffmpeg

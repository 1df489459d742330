#pragma once
// Owning handles for the FFmpeg objects the test-media code creates. Internal to
// engine/testmedia: the public headers stay free of FFmpeg types.

#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
}

namespace varnell::testmedia {

struct InputFormatDeleter {
  void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
// Closes the file the muxer wrote to (when it owns one) before freeing the context.
struct OutputFormatDeleter {
  void operator()(AVFormatContext* context) const {
    if (context->pb != nullptr && !(context->oformat->flags & AVFMT_NOFILE)) {
      avio_closep(&context->pb);
    }
    avformat_free_context(context);
  }
};
struct CodecContextDeleter {
  void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameDeleter {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketDeleter {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ResamplerDeleter {
  void operator()(SwrContext* context) const { swr_free(&context); }
};

using InputFormatPtr = std::unique_ptr<AVFormatContext, InputFormatDeleter>;
using OutputFormatPtr = std::unique_ptr<AVFormatContext, OutputFormatDeleter>;
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerDeleter>;

// AVDictionary is handed around as AVDictionary** by the open calls, which may
// replace or consume it, so it is wrapped as a plain owner rather than a unique_ptr.
class DictionaryOwner {
 public:
  DictionaryOwner() = default;
  ~DictionaryOwner() { av_dict_free(&dictionary_); }
  DictionaryOwner(const DictionaryOwner&) = delete;
  DictionaryOwner& operator=(const DictionaryOwner&) = delete;

  AVDictionary** address() { return &dictionary_; }
  AVDictionary* get() const { return dictionary_; }

 private:
  AVDictionary* dictionary_ = nullptr;
};

}  // namespace varnell::testmedia

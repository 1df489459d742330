// A decoder for one source stream, on FFmpeg's send/receive interface.
#pragma once

#include "media/FFmpegHandles.h"

namespace varnell {

// The thread count that lets FFmpeg code pictures on every core. FFmpeg's frame threads hand
// frames over through atomics of its own, which ThreadSanitizer (not built into FFmpeg) cannot
// see; a ThreadSanitizer build therefore codes on one thread, so that what it reports is ours.
#if defined(__SANITIZE_THREAD__)
constexpr int kEveryCoreThreadCount = 1;
#else
constexpr int kEveryCoreThreadCount = 0;  // 0: FFmpeg counts the cores
#endif

class StreamDecoder {
 public:
  enum class Threads { One, EveryCore };

  // Returns 0, AVERROR_DECODER_NOT_FOUND when FFmpeg has no decoder for the stream, or the
  // negative error of avcodec_open2. EveryCore lets FFmpeg decode on as many threads as the
  // machine has cores (frame or slice threads, where the decoder has them); the decoder then
  // holds a few frames more before its first output, and gives them all back when drained.
  int Open(const AVStream& stream, Threads threads = Threads::One);

  bool isOpen() const { return context_ != nullptr; }
  AVCodecContext* context() const { return context_.get(); }

  // Sends one packet (nullptr: end of stream). Returns FFmpeg's result; EAGAIN means frames must
  // be received first.
  int Send(const AVPacket* packet) { return avcodec_send_packet(context_.get(), packet); }
  int Receive(AVFrame* frame) { return avcodec_receive_frame(context_.get(), frame); }
  void Flush() { avcodec_flush_buffers(context_.get()); }

 private:
  ffmpeg::CodecContextPtr context_;
};

}  // namespace varnell

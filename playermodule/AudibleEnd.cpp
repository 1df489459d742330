#include "playermodule/AudibleEnd.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "playermodule/FFmpegOwners.h"

namespace varnell::player {
namespace {

// Enough to cover the last packets and the decoder's delay, little enough to stay quick.
constexpr double kDecodedTailSeconds = 2.0;

double StartSecondsOf(const AVFormatContext& format) {
  return format.start_time != AV_NOPTS_VALUE ? static_cast<double>(format.start_time) / AV_TIME_BASE : 0.0;
}

// The end of the last frame the decoder gives; `end` keeps its value when it gives none.
void ReceiveFrames(AVCodecContext& decoder, AVFrame& frame, AVRational timeBase, double startSeconds, double& end) {
  while (avcodec_receive_frame(&decoder, &frame) == 0) {
    if (frame.best_effort_timestamp != AV_NOPTS_VALUE && frame.sample_rate > 0) {
      const double frameStart = static_cast<double>(frame.best_effort_timestamp) * av_q2d(timeBase) - startSeconds;
      end = std::max(end, frameStart + static_cast<double>(frame.nb_samples) / frame.sample_rate);
    }
    av_frame_unref(&frame);
  }
}

}  // namespace

double MeasureAudibleEndSeconds(const std::string& utf8Path, int audioStream, double statedSeconds) {
  AVFormatContext* raw = nullptr;
  if (avformat_open_input(&raw, utf8Path.c_str(), nullptr, nullptr) < 0) {
    return 0.0;
  }
  InputContextPtr format(raw);
  if (avformat_find_stream_info(raw, nullptr) < 0 || audioStream < 0 ||
      static_cast<unsigned>(audioStream) >= raw->nb_streams) {
    return 0.0;
  }
  const AVStream& stream = *raw->streams[audioStream];
  const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
  CodecContextPtr decoder(codec != nullptr ? avcodec_alloc_context3(codec) : nullptr);
  FramePtr frame(av_frame_alloc());
  PacketPtr packet(av_packet_alloc());
  if (!decoder || !frame || !packet || avcodec_parameters_to_context(decoder.get(), stream.codecpar) < 0) {
    return 0.0;
  }
  decoder->pkt_timebase = stream.time_base;
  if (avcodec_open2(decoder.get(), codec, nullptr) < 0) {
    return 0.0;
  }
  for (unsigned i = 0; i < raw->nb_streams; ++i) {
    raw->streams[i]->discard = static_cast<int>(i) == audioStream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
  }
  const double startSeconds = StartSecondsOf(*raw);
  const double from = std::max(0.0, statedSeconds - kDecodedTailSeconds);
  if (from > 0.0) {
    const int64_t target = std::llround((from + startSeconds) * AV_TIME_BASE);
    if (avformat_seek_file(raw, -1, std::numeric_limits<int64_t>::min(), target, target, 0) < 0) {
      return 0.0;
    }
  }
  double end = 0.0;
  while (av_read_frame(raw, packet.get()) >= 0) {
    const PacketUnref unref(packet.get());
    if (packet->stream_index != audioStream) {
      continue;
    }
    // A packet the decoder rejects is skipped, as in playback.
    if (avcodec_send_packet(decoder.get(), packet.get()) == AVERROR(EAGAIN)) {
      ReceiveFrames(*decoder, *frame, stream.time_base, startSeconds, end);
      if (avcodec_send_packet(decoder.get(), packet.get()) < 0) continue;
    }
    ReceiveFrames(*decoder, *frame, stream.time_base, startSeconds, end);
  }
  if (avcodec_send_packet(decoder.get(), nullptr) == 0) {
    ReceiveFrames(*decoder, *frame, stream.time_base, startSeconds, end);
  }
  return end;
}

}  // namespace varnell::player

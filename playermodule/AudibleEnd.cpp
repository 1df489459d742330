#include "playermodule/AudibleEnd.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "media/SourceFile.h"
#include "media/StreamDecoder.h"
#include "playermodule/FFmpegOwners.h"

namespace varnell::player {
namespace {

// Enough to cover the last packets and the decoder's delay, little enough to stay quick.
constexpr double kDecodedTailSeconds = 2.0;

double StartSecondsOf(const AVFormatContext& format) {
  return format.start_time != AV_NOPTS_VALUE ? static_cast<double>(format.start_time) / AV_TIME_BASE
                                             : 0.0;
}

// The end of the last frame the decoder gives; `end` keeps its value when it gives none.
void ReceiveFrames(StreamDecoder& decoder, AVFrame& frame, AVRational timeBase, double startSeconds,
                   double& end) {
  while (decoder.Receive(&frame) == 0) {
    if (frame.best_effort_timestamp != AV_NOPTS_VALUE && frame.sample_rate > 0) {
      const double frameStart =
          static_cast<double>(frame.best_effort_timestamp) * av_q2d(timeBase) - startSeconds;
      end = std::max(end, frameStart + static_cast<double>(frame.nb_samples) / frame.sample_rate);
    }
    av_frame_unref(&frame);
  }
}

}  // namespace

double MeasureAudibleEndSeconds(const std::string& utf8Path, int audioStream,
                                double statedSeconds) {
  SourceFile source;
  if (source.Open(utf8Path) < 0) {
    return 0.0;
  }
  const AVStream* chosen = source.stream(audioStream);
  StreamDecoder decoder;
  FramePtr frame(av_frame_alloc());
  PacketPtr packet(av_packet_alloc());
  if (chosen == nullptr || !frame || !packet || decoder.Open(*chosen) < 0) {
    return 0.0;
  }
  const AVStream& stream = *chosen;
  source.ReadOnly({audioStream});
  AVFormatContext* raw = source.context();
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
    if (decoder.Send(packet.get()) == AVERROR(EAGAIN)) {
      ReceiveFrames(decoder, *frame, stream.time_base, startSeconds, end);
      if (decoder.Send(packet.get()) < 0) continue;
    }
    ReceiveFrames(decoder, *frame, stream.time_base, startSeconds, end);
  }
  if (decoder.Send(nullptr) == 0) {
    ReceiveFrames(decoder, *frame, stream.time_base, startSeconds, end);
  }
  return end;
}

}  // namespace varnell::player

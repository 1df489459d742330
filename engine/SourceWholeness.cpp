#include "engine/SourceWholeness.h"

#include <algorithm>
#include <optional>

#include "engine/ConversionFailure.h"
#include "engine/StatedLength.h"

namespace varnell {
namespace {

// A clip that ends this close to where the source's data ends reads all it asks for.
constexpr double kClipEndToleranceSeconds = 0.25;

std::int64_t StartOf(const AVStream& stream) {
  return stream.start_time != AV_NOPTS_VALUE ? stream.start_time : 0;
}

// Where the stream's data ends when its index points past the end of the file: the time of the
// first entry the file does not hold; none when the file holds every entry. The stated end is
// the index's own end where the stream states none.
struct IndexCut {
  double endSeconds = 0.0;
  double indexedSeconds = 0.0;
};

std::optional<IndexCut> CutByIndex(const SourceFile& source, AVStream& stream) {
  const std::int64_t fileSize = avio_size(source.context()->pb);
  const int entries = avformat_index_get_entries_count(&stream);
  if (fileSize < 0 || entries <= 0) return std::nullopt;
  std::optional<std::int64_t> cut;
  std::int64_t last = AV_NOPTS_VALUE;
  for (int i = 0; i < entries; ++i) {
    const AVIndexEntry* entry = avformat_index_get_entry(&stream, i);
    if (entry == nullptr) continue;
    last = std::max(last, entry->timestamp);
    if (entry->pos + entry->size > fileSize) {
      cut = std::min(cut.value_or(entry->timestamp), entry->timestamp);
    }
  }
  if (!cut) return std::nullopt;
  const double base = av_q2d(stream.time_base);
  return IndexCut{std::max<double>(static_cast<double>(*cut - StartOf(stream)) * base, 0.0),
                  static_cast<double>(last - StartOf(stream)) * base};
}

// Seconds of sound the demuxer delivers: each packet the decoder keeps counts for the samples
// its codec puts in a packet of its size (the container's durations are what a damaged table
// gets wrong), or its stated duration where the codec does not say. A read error ends it, as
// it ends the reader.
double DemuxedSeconds(SourceFile& source, const AVStream& stream) {
  source.ReadOnly({stream.index});
  ffmpeg::PacketPtr packet(av_packet_alloc());
  if (!packet) FailConversion("out of memory", AVERROR(ENOMEM));
  const AVCodecParameters& codec = *stream.codecpar;
  const double tick = av_q2d(stream.time_base);
  double seconds = 0.0;
  while (av_read_frame(source.context(), packet.get()) >= 0) {
    if (packet->stream_index == stream.index && !(packet->flags & AV_PKT_FLAG_DISCARD)) {
      const int samples = av_get_audio_frame_duration2(stream.codecpar, packet->size);
      seconds += samples > 0 && codec.sample_rate > 0
                     ? static_cast<double>(samples) / codec.sample_rate
                     : static_cast<double>(std::max<std::int64_t>(packet->duration, 0)) * tick;
    }
    av_packet_unref(packet.get());
  }
  return seconds;
}

}  // namespace

void CheckSourceHoldsClip(const std::string& sourcePath, int streamIndex, ClipWindow clip) {
  SourceFile source;
  if (const int result = source.Open(sourcePath); result < 0) {
    FailConversion(source.failedStep(), result);
  }
  AVStream* stream = source.stream(streamIndex);
  if (stream == nullptr) FailConversion("no audio stream");
  const double clipEnd = clip.begin + clip.length;
  const std::optional<double> statedEnd = StatedStreamSeconds(source, *stream);
  if (const std::optional<IndexCut> cut = CutByIndex(source, *stream)) {
    if (clipEnd > cut->endSeconds + kClipEndToleranceSeconds) {
      CheckNotTruncated("audio", cut->endSeconds, statedEnd.value_or(cut->indexedSeconds));
    }
  }
  const double demuxed = DemuxedSeconds(source, *stream);
  if (clipEnd > demuxed + kClipEndToleranceSeconds) {
    CheckNotTruncated("audio", demuxed, statedEnd);
    CheckNotDamaged(demuxed, source, *stream);
  }
}

}  // namespace varnell

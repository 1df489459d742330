#include "engine/StatedLength.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "engine/ConversionFailure.h"

namespace varnell {
namespace {

// Encoder padding and a last frame's rounding stay well within this.
constexpr double kTruncationToleranceSeconds = 0.25;
// A damaged length is told from a merely loose one by a shortfall beyond both of these.
constexpr double kDamageToleranceSeconds = 1.0;
constexpr double kDamageToleranceShare = 0.05;

bool Estimated(const SourceFile& source) {
  return source.context()->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE;
}

// The file's length speaks for the stream only when nothing else in it could be that long.
bool StreamIsAlone(const SourceFile& source, const AVStream& stream) {
  const AVFormatContext& context = *source.context();
  for (unsigned i = 0; i < context.nb_streams; ++i) {
    const AVStream& other = *context.streams[i];
    if (other.index == stream.index || (other.disposition & AV_DISPOSITION_ATTACHED_PIC)) continue;
    const AVMediaType type = other.codecpar->codec_type;
    if (type == AVMEDIA_TYPE_AUDIO || type == AVMEDIA_TYPE_VIDEO) return false;
  }
  return true;
}

std::optional<double> StatedFileSeconds(const SourceFile& source, const AVStream& stream) {
  const std::int64_t duration = source.context()->duration;
  if (duration == AV_NOPTS_VALUE || duration <= 0 || Estimated(source)) return std::nullopt;
  if (!StreamIsAlone(source, stream)) return std::nullopt;
  return static_cast<double>(duration) / AV_TIME_BASE;
}

}  // namespace

std::string SecondsInTenths(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", seconds);
  return text;
}

std::optional<double> StatedStreamSeconds(const SourceFile& source, const AVStream& stream) {
  if (stream.duration == AV_NOPTS_VALUE || stream.duration <= 0 || Estimated(source)) {
    return std::nullopt;
  }
  return static_cast<double>(stream.duration) * av_q2d(stream.time_base);
}

void CheckNotTruncated(std::string_view kind, double endSeconds, std::optional<double> statedEnd) {
  if (!statedEnd || endSeconds + kTruncationToleranceSeconds >= *statedEnd) return;
  FailConversion("source is truncated: its " + std::string(kind) + " ends at " +
                 SecondsInTenths(endSeconds) + " s of " + SecondsInTenths(*statedEnd) + " s");
}

void CheckNotDamaged(double readSeconds, const SourceFile& source, const AVStream& stream) {
  std::optional<double> shortest;
  for (const std::optional<double> stated :
       {StatedStreamSeconds(source, stream), StatedFileSeconds(source, stream)}) {
    if (!stated || *stated < readSeconds) continue;
    shortest = std::min(shortest.value_or(*stated), *stated);
  }
  if (!shortest) return;
  const double shortfall = *shortest - readSeconds;
  if (shortfall <= kDamageToleranceSeconds || shortfall <= kDamageToleranceShare * *shortest)
    return;
  FailConversion("source is damaged: it decodes to " + SecondsInTenths(readSeconds) + " s of the " +
                 SecondsInTenths(*shortest) + " s it states");
}

}  // namespace varnell

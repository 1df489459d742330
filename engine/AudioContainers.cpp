#include "engine/AudioContainers.h"

extern "C" {
#include <libavcodec/codec_id.h>
}

#include "engine/CodecNames.h"

namespace varnell {

const AudioEncoder* AudioEncoderOf(int codecId) {
  for (const AudioEncoder& encoder : AudioEncoders()) {
    if (AudioCodecIdFromName(encoder.codecName) == codecId) return &encoder;
  }
  return nullptr;
}

std::optional<std::string> AudioContainerRefusal(int codecId, const OutputFormat& format) {
  const AudioEncoder* encoder = AudioEncoderOf(codecId);
  if (encoder != nullptr && format.takesAudioEncoder(encoder->codecName)) return std::nullopt;
  const std::string_view family = codecId == AV_CODEC_ID_MP3 ? "MP3" : "WMA";
  return std::string(family) + " audio cannot be stored in the " + std::string(format.muxer) +
         " format";
}

}  // namespace varnell

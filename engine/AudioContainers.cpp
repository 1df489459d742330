#include "engine/AudioContainers.h"

extern "C" {
#include <libavcodec/codec_desc.h>
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
  // Both WMA versions are "WMA audio" to a reader.
  const std::string family = codecId == AV_CODEC_ID_WMAV1 || codecId == AV_CODEC_ID_WMAV2 ? "WMA"
                             : encoder != nullptr
                                 ? std::string(encoder->codecName)
                                 : avcodec_get_name(static_cast<AVCodecID>(codecId));
  return family + " audio cannot be stored in the " + std::string(format.muxer) + " format";
}

}  // namespace varnell

#include "engine/MediaInformation.h"

#include <cstdio>

namespace varnell {

MediaInformation DescribeProbedMedia(const ProbeResult& probe, const std::string& sourcePath,
                                     const std::string& mediaLength) {
  MediaInformation info;
  info.sourcePath = sourcePath;
  info.mediaLength = mediaLength;
  info.audioBitRate = std::to_string(probe.audioBitRate);
  info.sampleRate = std::to_string(probe.sampleRate);
  info.channels = std::to_string(probe.channels);
  info.videoBitRate = std::to_string(probe.videoBitRate);
  info.width = std::to_string(probe.width);
  info.height = std::to_string(probe.height);
  if (probe.videoStreamIndex >= 0 && probe.frameRateDen != 0) {
    char text[64];
    std::snprintf(text, sizeof text, "%5.2f fps",
                  static_cast<double>(probe.frameRateNum) / probe.frameRateDen);
    info.frameRate = text;
  }
  info.videoCodec = std::to_string(probe.videoCodecId);
  info.audioCodec = std::to_string(probe.audioCodecId);
  return info;
}

}  // namespace varnell

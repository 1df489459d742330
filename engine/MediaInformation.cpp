#include "engine/MediaInformation.h"

#include <cstdio>

namespace varnell {

MediaInformation DescribeProbedMedia(const AVConvert& engine, const std::string& sourcePath,
                                     const std::string& mediaLength) {
  MediaInformation info;
  info.sourcePath = sourcePath;
  info.mediaLength = mediaLength;
  info.audioBitRate = std::to_string(engine.audioBitRate);
  info.sampleRate = std::to_string(engine.sampleRate);
  info.channels = std::to_string(engine.channels);
  info.videoBitRate = std::to_string(engine.videoBitRate);
  info.width = std::to_string(engine.sourceWidth);
  info.height = std::to_string(engine.sourceHeight);
  if (engine.videoStreamIndex >= 0 && engine.frameRateDen != 0) {
    char text[64];
    std::snprintf(text, sizeof text, "%5.2f fps",
                  static_cast<double>(engine.frameRateNum) / engine.frameRateDen);
    info.frameRate = text;
  }
  info.videoCodec = std::to_string(engine.videoCodecId);
  info.audioCodec = std::to_string(engine.audioCodecId);
  return info;
}

}  // namespace varnell

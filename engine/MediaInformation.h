// The eleven media information texts of a probed file, as the file information window and the
// command line show them.
#pragma once

#include <array>
#include <string>

#include "engine/SourceProbe.h"

namespace varnell {

struct MediaInformation {
  std::string sourcePath;
  std::string mediaLength;  // the row's end-time text
  std::string audioBitRate;
  std::string sampleRate;
  std::string channels;
  std::string videoBitRate;
  std::string width;
  std::string height;
  std::string frameRate;  // "%5.2f fps"; empty for a source without video
  std::string videoCodec;
  std::string audioCodec;
};

// From a probe that succeeded.
MediaInformation DescribeProbedMedia(const ProbeResult& probe, const std::string& sourcePath,
                                     const std::string& mediaLength);

}  // namespace varnell

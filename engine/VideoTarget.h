// The video an output file is to carry, as the user chose it: taken from the job's media
// parameter block, or from the settings' texts (the command-line converter).
#pragma once

#include <string>

namespace varnell {

struct VideoTarget {
  // The settings' codec text ("MPEG4", "H.264", "XVID", ...). It wins over codecId because two
  // texts share an id: "XVID" is MPEG-4 part 2 written by libxvid, "DivX" and "MSMPEG4V3" are
  // the same encoder. Empty: codecId alone chooses.
  std::string codecName;
  int codecId = 0;  // FFmpeg AVCodecID, as the job tables hold it
  int width = 0;    // 0 and 0: the source's size, as the encoder takes it
  int height = 0;
  double frameRate = 0.0;  // frames per second; 0 keeps the source's rate
  int bitRate = 0;         // bit/s
};

}  // namespace varnell

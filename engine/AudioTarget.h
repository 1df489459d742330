// The audio an output file is to carry, taken from the job's media parameter block.
#pragma once

namespace varnell {

struct AudioTarget {
  int codecId = 0;     // FFmpeg AVCodecID
  int bitRate = 0;     // bit/s
  int sampleRate = 0;  // Hz
  int channels = 0;
};

}  // namespace varnell

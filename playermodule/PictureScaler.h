// Converts a decoded picture to the caller's bitmap: bottom-up rows of blue, green, red bytes,
// no padding, scaled to the size asked for. Used on the callers' thread only.
#pragma once

#include <vector>

#include "playermodule/FFmpegOwners.h"

namespace varnell::player {

class PictureScaler {
 public:
  bool convert(const AVFrame& picture, unsigned char* bitmap, int width, int height);

 private:
  ScalerPtr scaler_;
  std::vector<unsigned char> topDown_;
};

}  // namespace varnell::player

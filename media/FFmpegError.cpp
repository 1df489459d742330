#include "media/FFmpegError.h"

extern "C" {
#include <libavutil/error.h>
}

namespace varnell {

std::string DescribeFFmpegError(std::string_view step, int ffmpegError) {
  char message[AV_ERROR_MAX_STRING_SIZE] = {};
  if (av_strerror(ffmpegError, message, sizeof message) < 0) {
    return std::string(step) + ": error " + std::to_string(ffmpegError);
  }
  return std::string(step) + ": " + message;
}

}  // namespace varnell

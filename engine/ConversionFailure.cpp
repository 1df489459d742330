#include "engine/ConversionFailure.h"

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

void FailConversion(std::string_view reason) { throw ConversionFailure(std::string(reason)); }

void FailConversion(std::string_view step, int ffmpegError) {
  throw ConversionFailure(DescribeFFmpegError(step, ffmpegError));
}

int RequireSuccess(int result, std::string_view step) {
  if (result < 0) FailConversion(step, result);
  return result;
}

}  // namespace varnell

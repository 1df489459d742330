#include "engine/ConversionFailure.h"

namespace varnell {

void FailConversion(std::string_view reason) { throw ConversionFailure(std::string(reason)); }

void FailConversion(std::string_view step, int ffmpegError) {
  throw ConversionFailure(DescribeFFmpegError(step, ffmpegError));
}

int RequireSuccess(int result, std::string_view step) {
  if (result < 0) FailConversion(step, result);
  return result;
}

}  // namespace varnell

// The one place that turns an FFmpeg error code into words. Carries no FFmpeg type, so the
// engine's failure type and the test media can build on it.
#pragma once

#include <string>
#include <string_view>

namespace varnell {

// "step: FFmpeg's message", or "step: error N" when FFmpeg has no text for the code.
std::string DescribeFFmpegError(std::string_view step, int ffmpegError);

}  // namespace varnell

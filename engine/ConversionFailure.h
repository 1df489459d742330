// How a row's conversion fails: the step that failed and, where FFmpeg gave one, its message.
// The worker catches this per row, marks the row failed and keeps the text as the row's reason.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "media/FFmpegError.h"

namespace varnell {

class ConversionFailure : public std::runtime_error {
 public:
  explicit ConversionFailure(const std::string& reason) : std::runtime_error(reason) {}
};

[[noreturn]] void FailConversion(std::string_view reason);
[[noreturn]] void FailConversion(std::string_view step, int ffmpegError);

// Returns result when it is not negative; otherwise fails the conversion at step.
int RequireSuccess(int result, std::string_view step);

}  // namespace varnell

#pragma once

#include <string>

#include "engine/ConversionFailure.h"

namespace varnell::testmedia {

// FFmpeg error codes become text through the engine's one mapping, DescribeFFmpegError.
using varnell::DescribeFFmpegError;

// Stores message in *error when the caller asked for one; always returns false so
// failure paths can be written as `return Fail(error, ...)`.
bool Fail(std::string* error, const std::string& message);

}  // namespace varnell::testmedia

#pragma once

#include <string>

#include "media/FFmpegError.h"

namespace varnell::testmedia {

// FFmpeg error codes become text through the media layer's one mapping.
using varnell::DescribeFFmpegError;

// Stores message in *error when the caller asked for one; always returns false so
// failure paths can be written as `return Fail(error, ...)`.
bool Fail(std::string* error, const std::string& message);

}  // namespace varnell::testmedia

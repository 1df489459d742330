#pragma once

#include <string>

namespace varnell::testmedia {

// "what: FFmpeg's text for code (code)" -- what every failure report in this library looks like.
std::string DescribeFfmpegFailure(const std::string& what, int code);

// Stores message in *error when the caller asked for one; always returns false so
// failure paths can be written as `return Fail(error, ...)`.
bool Fail(std::string* error, const std::string& message);

}  // namespace varnell::testmedia

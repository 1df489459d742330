#include "engine/testmedia/FfmpegError.h"

extern "C" {
#include <libavutil/error.h>
}

namespace varnell::testmedia {

std::string DescribeFfmpegFailure(const std::string& what, int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  if (av_strerror(code, text, sizeof text) < 0) {
    return what + ": FFmpeg error " + std::to_string(code);
  }
  return what + ": " + text + " (" + std::to_string(code) + ")";
}

bool Fail(std::string* error, const std::string& message) {
  if (error != nullptr) {
    *error = message;
  }
  return false;
}

}  // namespace varnell::testmedia

#include "testmedia/FfmpegError.h"

namespace varnell::testmedia {

bool Fail(std::string* error, const std::string& message) {
  if (error != nullptr) {
    *error = message;
  }
  return false;
}

}  // namespace varnell::testmedia

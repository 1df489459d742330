// A video of one speckled picture and no sound: its converted output (at a small size) is
// smaller than its 160 x 120 thumbnail, so a file-size limit between the two fails only the
// thumbnail.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "testmedia/PatternVideoWriter.h"

namespace varnell::testing {

inline std::string WriteOnePictureVideo(const std::string& path) {
  testmedia::PatternVideo pattern;
  pattern.path = path;
  pattern.width = 160;
  pattern.height = 120;
  pattern.seconds = 1.0 / pattern.rateNumerator;
  pattern.withTone = false;
  pattern.grain = true;
  std::string error;
  if (!testmedia::WritePatternVideo(pattern, &error))
    ADD_FAILURE() << "cannot write " << path << ": " << error;
  return path;
}

}  // namespace varnell::testing

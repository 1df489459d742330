// One chapter of a source file, as its container lists it (an MP4 chapter track or Nero chpl,
// Matroska, Ogg CHAPTERxxx comments).
#pragma once

#include <string>

namespace varnell {

struct SourceChapter {
  double startSeconds = 0.0;
  double endSeconds = 0.0;
  std::string title;  // UTF-8; empty when the container gives none
};

}  // namespace varnell

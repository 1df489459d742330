// The chapters of an opened source, read for the probe and for the worker that keeps them.
#pragma once

#include <vector>

#include "engine/SourceChapter.h"

struct AVFormatContext;

namespace varnell {

// In the container's order; FFmpeg has given each chapter its end by then (the next one's
// start, or the end of the file).
std::vector<SourceChapter> ChaptersOf(const AVFormatContext& context);

}  // namespace varnell

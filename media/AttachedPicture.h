// Whether a source's attached picture (a cover) is a picture at all: a cover whose bytes are
// damaged keeps its codec id from the container's tag, but no decoder makes an image of it, and
// a muxer given it fails the whole output.
#pragma once

#include "media/FFmpegHandles.h"

namespace varnell {

// Decodes the stream's attached picture once; true when that gives an image with a size.
bool AttachedPictureDecodes(const AVStream& picture);

}  // namespace varnell

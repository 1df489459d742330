// Which streams of a source are played and converted: the one rule the engine and the player
// share, so that the preview plays what the conversion converts.
#pragma once

#include "media/FFmpegHandles.h"

namespace varnell {

struct StreamChoice {
  static constexpr int kNoStream = -1;
  int audio = kNoStream;
  int video = kNoStream;  // never an attached picture
  int cover = kNoStream;  // an attached picture that carries its picture
};

// Audio and video: the first stream of the type that the file marks as default, else the first
// of the type. Streams with the attached-picture disposition are covers, never the video; the
// first one with a picture is the cover.
StreamChoice ChooseStreams(const AVFormatContext& format);

}  // namespace varnell

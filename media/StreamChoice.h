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

// Audio and video: the last stream of the type wins, as the engine has always scanned them (so a
// file converts the same stream it did before the preview shared this rule). Streams with the
// attached-picture disposition are covers, never the video; the first one with a picture is the
// cover.
StreamChoice ChooseStreams(const AVFormatContext& format);

}  // namespace varnell

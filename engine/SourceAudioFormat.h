// What an audio sink learns from the source it is set up for (a merge's first source): the
// sample format its decoder delivers, which a sink that takes it uses to save a conversion, and
// whether the recording has more than 16 bits in a lossless codec, which a lossless output then
// keeps. Plain values, read by the worker thread that owns both.
#pragma once

extern "C" {
#include <libavutil/samplefmt.h>
}

namespace varnell {

struct SourceAudioFormat {
  AVSampleFormat decoded = AV_SAMPLE_FMT_NONE;
  bool deepLossless = false;
};

}  // namespace varnell

// The video encoder's time base: one tick per frame at the target rate, from the frame-rate
// table of the settings. Output timestamps count frames in it.
#pragma once

#include <string>
#include <string_view>

#include "media/FFmpegHandles.h"

namespace varnell {

// The table's rates give their own time base (29.97 -> 1001/30000); 0, and every "rm" output,
// keep the source's rate (its r_frame_rate inverted). Any other positive rate (a bare number on
// the command line) gets the nearest time base with a denominator FFmpeg's encoders all take.
// Returns {0, 1} when the source's rate is needed and unknown.
AVRational VideoTimeBase(double targetFrameRate, AVRational sourceFrameRate,
                         std::string_view muxerName);

// "10", "29.97", "14.985": frames per second as the refusals print them.
std::string FramesPerSecondText(double framesPerSecond);

}  // namespace varnell

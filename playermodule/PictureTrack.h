// Decoded video frames waiting for their time, and the one on screen now.
//
// Threads: the decoding thread pushes; the callers' thread asks for the picture of the position
// heard and clears the track on a restart. One mutex guards everything.
#pragma once

#include <deque>
#include <mutex>

#include "playermodule/FFmpegOwners.h"

namespace varnell::player {

class PictureTrack {
 public:
  void clear();
  // Frames come in decoding order. When the decoder runs far ahead of the sound (a file that
  // interleaves badly), the oldest frames give way rather than stall the sound.
  void push(FramePtr frame, double seconds);
  // A new reference to the latest frame due at `seconds` (or the first one decoded, while none
  // is due yet); null when no frame has been decoded since the last clear.
  FramePtr pictureAt(double seconds);

 private:
  struct TimedFrame {
    FramePtr frame;
    double seconds;
  };

  std::mutex mutex_;
  std::deque<TimedFrame> waiting_;
  FramePtr shown_;
};

}  // namespace varnell::player

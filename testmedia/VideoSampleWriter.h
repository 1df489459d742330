#pragma once
// Writes a short video file for the tests: MPEG-4 part 2 video in an .mp4, each frame split
// into a top and a bottom half of solid colour, the two colours exchanging places at a set
// time, with an optional AAC tone (440 Hz, stereo, 44100 Hz). No FFmpeg type appears here.

#include <string>

namespace varnell::testmedia {

struct RgbColour {
  int red = 0, green = 0, blue = 0;
};

struct VideoSampleSpec {
  std::string path;
  int width = 128;  // even
  int height = 96;  // a multiple of 32, so the halves fill whole macroblocks
  double seconds = 2.0;
  int framesPerSecond = 25;
  int keyframeInterval = 25;  // frames
  RgbColour top{220, 40, 40};
  RgbColour bottom{30, 60, 200};
  double swapSeconds = 1.0;  // from this time on, top and bottom colours are exchanged
  bool withTone = true;
  bool fastStart = false;  // moov before mdat
};

// False with a readable reason in *error (when given) if the file could not be written.
bool WriteVideoSample(const VideoSampleSpec& sample, std::string* error);

}  // namespace varnell::testmedia

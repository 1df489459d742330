#pragma once
// Writes a video test pattern for the tests of the engine's video path: MPEG-4 part 2 in an
// .mp4 with an AAC tone (440 Hz, stereo, 44100 Hz). Each picture has four solid quadrants and,
// across its middle, a band of cells that spells the frame's number in binary, so a converted
// file can be checked picture by picture (which source frame, and whether the quadrants stayed
// in place). No FFmpeg type appears here.

#include <string>

#include "testmedia/VideoSampleWriter.h"

namespace varnell::testmedia {

// Quadrant colours, far apart in every channel so that none is mistaken for another.
constexpr RgbColour kPatternTopLeft{220, 40, 40};
constexpr RgbColour kPatternTopRight{40, 200, 60};
constexpr RgbColour kPatternBottomLeft{30, 60, 210};
constexpr RgbColour kPatternBottomRight{230, 210, 40};

// The band: rows from 40 % to 60 % of the height, kPatternNumberCells cells across the width,
// least significant bit on the left, white for 1 and black for 0.
constexpr int kPatternNumberCells = 12;
constexpr double kPatternBandTop = 0.4;
constexpr double kPatternBandBottom = 0.6;

struct PatternVideo {
  std::string path;        // written as mp4 whatever the extension
  int width = 640;         // even
  int height = 480;        // even
  int rateNumerator = 30;  // frames per second as a fraction: 30000/1001 is NTSC's 29.97
  int rateDenominator = 1;
  double seconds = 5.0;            // the tone's length; the video ends at the same time
  double videoDelaySeconds = 0.0;  // the first picture comes this long after the tone starts
  // Frames; not a divisor of the rate, so keyframes fall between whole seconds.
  int keyframeInterval = 25;
  bool withTone = true;
  // Degrees clockwise a player turns the pictures for showing (90, 180 or 270; 0: none), stored
  // as the stream's display matrix, as a phone tags a video filmed upright.
  int displayRotation = 0;
  // Speckles every pixel (the same in every picture), for a picture that compresses badly.
  bool grain = false;
};

// Frames the video carries: llround((seconds - videoDelaySeconds) * rate).
long long PatternFrameCount(const PatternVideo& pattern);

// False with a readable reason in *error (when given) if the file could not be written.
bool WritePatternVideo(const PatternVideo& pattern, std::string* error);

}  // namespace varnell::testmedia

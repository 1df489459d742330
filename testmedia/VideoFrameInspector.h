#pragma once
// Decodes the video stream of any file FFmpeg can demux, picture by picture, and reads each
// picture of a test pattern (PatternVideoWriter.h) back: its time, the colours at the centres
// of its quadrants and the frame number its band spells. No FFmpeg type appears here.

#include <array>
#include <string>
#include <vector>

#include "testmedia/VideoSampleWriter.h"

namespace varnell::testmedia {

struct InspectedPicture {
  double seconds = 0.0;                // presentation time in the file
  long long number = -1;               // the pattern's frame number
  std::array<RgbColour, 4> quadrants;  // top left, top right, bottom left, bottom right
};

struct VideoReport {
  std::string formatName;  // demuxer short name
  std::string codec;       // FFmpeg codec name of the video stream
  int width = 0, height = 0;
  double framesPerSecond = 0.0;   // the stream's average rate, or its r_frame_rate
  double displayAspect = 0.0;     // width x sample aspect / height
  double containerSeconds = 0.0;  // the stream's duration as the container states it; 0 unknown
  int decodeErrors = 0;
  std::vector<InspectedPicture> pictures;
};

// The frame whose band is unreadable gets number -1. False with a reason in *error when the
// file cannot be opened or has no video stream.
bool InspectVideo(const std::string& path, VideoReport& report, std::string* error);

// How far apart two colours are: the largest difference in one channel.
int ColourDistance(const RgbColour& a, const RgbColour& b);

}  // namespace varnell::testmedia

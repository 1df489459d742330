// Where a file's sound really ends. Containers state lengths that count encoder delay and
// padding (mp3 without its LAME tag applied) or only estimate them from the bit rate (raw AAC);
// the decoder, with the container's skip information, produces exactly what is heard. So the
// last second or two is decoded once, through a demuxer of its own, when the file is opened.
#pragma once

#include <string>

namespace varnell::player {

// Seconds from the file's start time to the end of the decoded sound of stream `audioStream`,
// decoding from a little before `statedSeconds`; 0 when that cannot be measured.
double MeasureAudibleEndSeconds(const std::string& utf8Path, int audioStream, double statedSeconds);

}  // namespace varnell::player

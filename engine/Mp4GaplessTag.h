// The iTunes gapless tag of an MP4 file ("iTunSMPB": the encoder's priming, its padding and the
// audio's own length, in samples), which players that ignore edit lists read to play the audio
// without the encoder's silence. FFmpeg's mov muxer does not write it, so it is patched into the
// finished file: an item in moov/udta/meta/ilst, the boxes missing on that path made. Used by the
// worker thread of the file, after the trailer and before the file is handed over.
#pragma once

#include <cstdint>
#include <string>

namespace varnell {

struct AudioGaps {
  std::int64_t priming = 0;  // samples the encoder put before the audio
  std::int64_t padding = 0;  // samples its last frame holds after the audio
  std::int64_t length = 0;   // the audio's own samples
};

// The tag's text: " 00000000 PPPPPPPP QQQQQQQQ LLLLLLLLLLLLLLLL 00000000 ..." in hexadecimal.
std::string ItunesGaplessText(const AudioGaps& gaps);

// Adds the tag to the MP4 file open for reading and writing at `descriptor`, whose moov follows
// its sound. Throws ConversionFailure when the file is not laid out that way or cannot be
// written.
void WriteItunesGaplessTag(int descriptor, const AudioGaps& gaps);

}  // namespace varnell

// The audio an output file is to carry, taken from the job's media parameter block.
#pragma once

namespace varnell {

struct AudioTarget {
  int codecId = 0;     // FFmpeg AVCodecID
  int bitRate = 0;     // bit/s
  int sampleRate = 0;  // Hz
  int channels = 0;
  // Variable bit rate by quality instead of bitRate, -1 for none: LAME's V0 (best) to V9 for
  // MP3, 0 to 10 (best) for Vorbis, 1 to 5 (best) for AAC.
  int vbrQuality = -1;
  // FLAC's compression level, 0 to 12; -1 for the encoder's default (5).
  int compressionLevel = -1;
};

}  // namespace varnell

// Turns decoded sound frames into interleaved float frames at the device's rate and channel
// count. Rebuilds its resampler when the decoder's output format changes mid-stream.
// Used by the decoding thread only.
#pragma once

#include <vector>

#include "playermodule/FFmpegOwners.h"

namespace varnell::player {

class AudioConverter {
 public:
  AudioConverter(int outputRate, int outputChannels);
  AudioConverter(const AudioConverter&) = delete;
  AudioConverter& operator=(const AudioConverter&) = delete;
  ~AudioConverter();

  // Converts the frame from its sample `skip` on; appends to `out`. False when the frame's
  // format cannot be converted.
  bool convert(const AVFrame& frame, int skip, std::vector<float>& out);
  // Appends what the resampler still holds.
  bool drain(std::vector<float>& out);

 private:
  bool configureFor(const AVFrame& frame);
  bool receive(const uint8_t** input, int inputFrames, std::vector<float>& out);

  const int outputRate_;
  const int outputChannels_;
  ResamplerPtr resampler_;
  AVChannelLayout inputLayout_{};
  int inputFormat_ = -1;
  int inputRate_ = 0;
};

}  // namespace varnell::player

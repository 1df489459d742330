// Turns decoded sound frames into interleaved float frames at the device's rate and channel
// count, with mono on every channel at full level; the media layer's resampler does the work.
// Used by the decoding thread only.
#pragma once

#include <vector>

#include "media/AudioResampler.h"
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
  bool append(int result, const ConvertedAudio& audio, std::vector<float>& out) const;

  const int outputChannels_;
  AudioResampler resampler_;
};

}  // namespace varnell::player

#include "playermodule/AudioConverter.h"

#include <algorithm>

namespace varnell::player {

AudioConverter::AudioConverter(int outputRate, int outputChannels)
    : outputChannels_(outputChannels),
      resampler_(ffmpeg::ChannelLayout(outputChannels).get()[0], AV_SAMPLE_FMT_FLT, outputRate,
                 AudioResampler::Mono::OnEveryChannel) {}

AudioConverter::~AudioConverter() = default;

bool AudioConverter::convert(const AVFrame& frame, int skip, std::vector<float>& out) {
  if (skip < 0) {
    return false;
  }
  if (skip >= frame.nb_samples) {
    return true;
  }
  ConvertedAudio audio;
  const int result = resampler_.Convert(frame, skip, frame.nb_samples - skip, &audio);
  return append(result, audio, out);
}

bool AudioConverter::drain(std::vector<float>& out) {
  ConvertedAudio audio;
  const int result = resampler_.Drain(&audio);
  return append(result, audio, out);
}

bool AudioConverter::append(int result, const ConvertedAudio& audio,
                            std::vector<float>& out) const {
  if (result < 0) {
    return false;
  }
  if (audio.samples <= 0) {
    return true;
  }
  // Interleaved float: one plane of samples * channels values.
  const auto* first = reinterpret_cast<const float*>(audio.planes[0]);
  out.insert(out.end(), first, first + static_cast<std::size_t>(audio.samples) * outputChannels_);
  return true;
}

}  // namespace varnell::player

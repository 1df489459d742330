// Converts decoded audio to the encoder's sample format, rate and channel layout. Sources with
// more than two channels are mixed down with the gain capped at 1.0, so 5.1 never clips.
// Audio that already has the encoder's format passes through without a copy.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/FFmpegHandles.h"

namespace varnell {

struct ConvertedAudio {
  const std::uint8_t* const* planes = nullptr;
  int samples = 0;
};

class AudioResampler {
 public:
  AudioResampler(const AVChannelLayout& outputLayout, AVSampleFormat outputFormat, int outputRate);
  AudioResampler(const AudioResampler&) = delete;
  AudioResampler& operator=(const AudioResampler&) = delete;
  ~AudioResampler();

  // Converts `count` samples of `frame` starting at sample `offset`. The result stays valid until
  // the next call.
  ConvertedAudio Convert(const AVFrame* frame, int offset, int count);
  // What the resampler still holds at the end of the input.
  ConvertedAudio Drain();

 private:
  bool MatchesOutput(const AVFrame* frame) const;
  void ConfigureFor(const AVFrame* frame);
  void EnsureCapacity(int samples);

  ffmpeg::ChannelLayout outputLayout_;
  AVSampleFormat outputFormat_;
  int outputRate_;

  ffmpeg::ResamplerPtr resampler_;
  ffmpeg::ChannelLayout inputLayout_;
  AVSampleFormat inputFormat_ = AV_SAMPLE_FMT_NONE;
  int inputRate_ = 0;

  std::uint8_t** buffer_ = nullptr;  // av_samples_alloc'd planes
  int bufferCapacity_ = 0;
  std::vector<const std::uint8_t*> inputPlanes_;  // the current frame, from the offset on
};

}  // namespace varnell

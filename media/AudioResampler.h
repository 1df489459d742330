// Converts decoded audio to one output sample format, rate and channel layout. Sources with more
// than two channels are mixed down with the gain capped at 1.0, so 5.1 never clips. Audio that
// already has the output's format passes through without a copy. Rebuilds its resampler when the
// decoder's format changes mid-stream. Owned and used by one thread.
//
// The engine converts to its encoder's format; the player converts to interleaved float for
// the audio device and spreads mono to every output channel at full level.
#pragma once

#include <cstdint>
#include <vector>

#include "media/FFmpegHandles.h"

namespace varnell {

struct ConvertedAudio {
  const std::uint8_t* const* planes = nullptr;  // valid until the next call on the resampler
  int samples = 0;
};

class AudioResampler {
 public:
  enum class Mono { AsCentre, OnEveryChannel };

  AudioResampler(const AVChannelLayout& outputLayout, AVSampleFormat outputFormat, int outputRate,
                 Mono mono = Mono::AsCentre);
  AudioResampler(const AudioResampler&) = delete;
  AudioResampler& operator=(const AudioResampler&) = delete;
  ~AudioResampler();

  // Converts `count` samples of `frame` starting at sample `offset` into *out. Returns 0 or the
  // negative FFmpeg error.
  int Convert(const AVFrame& frame, int offset, int count, ConvertedAudio* out);
  // What the resampler still holds at the end of the input.
  int Drain(ConvertedAudio* out);

  int outputChannels() const { return outputLayout_.get()->nb_channels; }

 private:
  bool MatchesOutput(const AVFrame& frame) const;
  int ConfigureFor(const AVFrame& frame);
  int EnsureCapacity(int samples);

  ffmpeg::ChannelLayout outputLayout_;
  AVSampleFormat outputFormat_;
  int outputRate_;
  Mono mono_;

  ffmpeg::ResamplerPtr resampler_;
  ffmpeg::ChannelLayout inputLayout_;
  AVSampleFormat inputFormat_ = AV_SAMPLE_FMT_NONE;
  int inputRate_ = 0;

  std::uint8_t** buffer_ = nullptr;  // av_samples_alloc'd planes
  int bufferCapacity_ = 0;
  std::vector<const std::uint8_t*> inputPlanes_;  // the current frame, from the offset on
};

}  // namespace varnell

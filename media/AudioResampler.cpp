#include "media/AudioResampler.h"

extern "C" {
#include <libavutil/opt.h>
#include <libavutil/samplefmt.h>
}

#include <algorithm>

namespace varnell {
namespace {

// A decoder may report channels without an order; treat them as the usual layout for the count.
int CopyUsableLayout(const AVChannelLayout& from, AVChannelLayout* to) {
  av_channel_layout_uninit(to);
  if (from.order == AV_CHANNEL_ORDER_UNSPEC || av_channel_layout_check(&from) == 0) {
    av_channel_layout_default(to, std::max(from.nb_channels, 1));
    return 0;
  }
  return av_channel_layout_copy(to, &from);
}

// The plane pointers of `frame` advanced to sample `offset`.
void OffsetPlanes(const AVFrame& frame, int offset, std::vector<const std::uint8_t*>& planes) {
  const auto format = static_cast<AVSampleFormat>(frame.format);
  const int channels = frame.ch_layout.nb_channels;
  const bool planar = av_sample_fmt_is_planar(format) != 0;
  const int step = av_get_bytes_per_sample(format) * (planar ? 1 : channels);
  planes.resize(planar ? channels : 1);
  for (std::size_t p = 0; p < planes.size(); ++p) {
    planes[p] = frame.extended_data[p] + static_cast<std::ptrdiff_t>(offset) * step;
  }
}

}  // namespace

AudioResampler::AudioResampler(const AVChannelLayout& outputLayout, AVSampleFormat outputFormat,
                               int outputRate, Mono mono)
    : outputFormat_(outputFormat), outputRate_(outputRate), mono_(mono) {
  if (CopyUsableLayout(outputLayout, outputLayout_.get()) < 0) {
    av_channel_layout_default(outputLayout_.get(), std::max(outputLayout.nb_channels, 1));
  }
}

AudioResampler::~AudioResampler() {
  if (buffer_ != nullptr) av_freep(&buffer_[0]);
  av_freep(&buffer_);
}

bool AudioResampler::MatchesOutput(const AVFrame& frame) const {
  return frame.format == outputFormat_ && frame.sample_rate == outputRate_ &&
         av_channel_layout_compare(&frame.ch_layout, outputLayout_.get()) == 0;
}

int AudioResampler::ConfigureFor(const AVFrame& frame) {
  ffmpeg::ChannelLayout layout;
  if (const int result = CopyUsableLayout(frame.ch_layout, layout.get()); result < 0) return result;
  if (resampler_ && frame.format == inputFormat_ && frame.sample_rate == inputRate_ &&
      av_channel_layout_compare(layout.get(), inputLayout_.get()) == 0) {
    return 0;
  }
  SwrContext* raw = nullptr;
  int result =
      swr_alloc_set_opts2(&raw, outputLayout_.get(), outputFormat_, outputRate_, layout.get(),
                          static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr);
  ffmpeg::ResamplerPtr resampler(raw);
  if (result < 0) return result;
  // The automatic downmix of surround sound is not scaled down by itself and would clip.
  result = av_opt_set_double(resampler.get(), "rematrix_maxval", 1.0, 0);
  if (result < 0) return result;
  // Mono is a centre channel to the resampler, which spreads it at -3 dB whatever the centre mix
  // level; played back, a mono file should sound on each side as loud as it was recorded.
  if (mono_ == Mono::OnEveryChannel && layout.get()->nb_channels == 1) {
    const std::vector<double> everyOutputFromTheOne(static_cast<std::size_t>(outputChannels()),
                                                    1.0);
    result = swr_set_matrix(resampler.get(), everyOutputFromTheOne.data(), 1);
    if (result < 0) return result;
  }
  result = swr_init(resampler.get());
  if (result < 0) return result;
  result = CopyUsableLayout(*layout.get(), inputLayout_.get());
  if (result < 0) return result;
  resampler_ = std::move(resampler);
  inputFormat_ = static_cast<AVSampleFormat>(frame.format);
  inputRate_ = frame.sample_rate;
  return 0;
}

int AudioResampler::EnsureCapacity(int samples) {
  if (samples <= bufferCapacity_) return 0;
  if (buffer_ != nullptr) av_freep(&buffer_[0]);
  av_freep(&buffer_);
  bufferCapacity_ = 0;
  const int result = av_samples_alloc_array_and_samples(&buffer_, nullptr, outputChannels(),
                                                        samples, outputFormat_, 0);
  if (result < 0) return result;
  bufferCapacity_ = samples;
  return 0;
}

int AudioResampler::Convert(const AVFrame& frame, int offset, int count, ConvertedAudio* out) {
  *out = {};
  if (count <= 0) return 0;
  if (frame.sample_rate <= 0 || offset < 0 || offset + count > frame.nb_samples) {
    return AVERROR(EINVAL);
  }
  OffsetPlanes(frame, offset, inputPlanes_);
  if (MatchesOutput(frame) && !resampler_) {
    *out = {inputPlanes_.data(), count};
    return 0;
  }
  int result = ConfigureFor(frame);
  if (result < 0) return result;
  result = swr_get_out_samples(resampler_.get(), count);
  if (result < 0) return result;
  if ((result = EnsureCapacity(std::max(result, 1))) < 0) return result;
  const int converted =
      swr_convert(resampler_.get(), buffer_, bufferCapacity_, inputPlanes_.data(), count);
  if (converted < 0) return converted;
  *out = {buffer_, converted};
  return 0;
}

int AudioResampler::Drain(ConvertedAudio* out) {
  *out = {};
  if (!resampler_) return 0;
  int result = swr_get_out_samples(resampler_.get(), 0);
  if (result < 0) return result;
  if ((result = EnsureCapacity(std::max(result, 1))) < 0) return result;
  const int converted = swr_convert(resampler_.get(), buffer_, bufferCapacity_, nullptr, 0);
  if (converted < 0) return converted;
  *out = {buffer_, converted};
  return 0;
}

}  // namespace varnell

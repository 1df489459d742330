#include "engine/AudioResampler.h"

extern "C" {
#include <libavutil/opt.h>
#include <libavutil/samplefmt.h>
}

#include <vector>

#include "engine/ConversionFailure.h"

namespace varnell {
namespace {

// A decoder may report channels without an order; treat them as the usual layout for the count.
void CopyUsableLayout(const AVChannelLayout& from, AVChannelLayout* to) {
  av_channel_layout_uninit(to);
  if (from.order == AV_CHANNEL_ORDER_UNSPEC || av_channel_layout_check(&from) == 0) {
    av_channel_layout_default(to, from.nb_channels);
  } else if (av_channel_layout_copy(to, &from) < 0) {
    FailConversion("audio conversion", AVERROR(ENOMEM));
  }
}

// The plane pointers of `frame` advanced to sample `offset`.
void OffsetPlanes(const AVFrame* frame, int offset, std::vector<const std::uint8_t*>& planes) {
  const auto format = static_cast<AVSampleFormat>(frame->format);
  const int channels = frame->ch_layout.nb_channels;
  const bool planar = av_sample_fmt_is_planar(format) != 0;
  const int step = av_get_bytes_per_sample(format) * (planar ? 1 : channels);
  planes.resize(planar ? channels : 1);
  for (std::size_t p = 0; p < planes.size(); ++p) {
    planes[p] = frame->extended_data[p] + static_cast<std::ptrdiff_t>(offset) * step;
  }
}

}  // namespace

AudioResampler::AudioResampler(const AVChannelLayout& outputLayout, AVSampleFormat outputFormat,
                               int outputRate)
    : outputFormat_(outputFormat), outputRate_(outputRate) {
  CopyUsableLayout(outputLayout, outputLayout_.get());
}

AudioResampler::~AudioResampler() {
  if (buffer_ != nullptr) av_freep(&buffer_[0]);
  av_freep(&buffer_);
}

bool AudioResampler::MatchesOutput(const AVFrame* frame) const {
  return frame->format == outputFormat_ && frame->sample_rate == outputRate_ &&
         av_channel_layout_compare(&frame->ch_layout, outputLayout_.get()) == 0;
}

void AudioResampler::ConfigureFor(const AVFrame* frame) {
  ffmpeg::ChannelLayout layout;
  CopyUsableLayout(frame->ch_layout, layout.get());
  if (resampler_ && frame->format == inputFormat_ && frame->sample_rate == inputRate_ &&
      av_channel_layout_compare(layout.get(), inputLayout_.get()) == 0) {
    return;
  }
  SwrContext* raw = nullptr;
  RequireSuccess(swr_alloc_set_opts2(&raw, outputLayout_.get(), outputFormat_, outputRate_,
                                     layout.get(), static_cast<AVSampleFormat>(frame->format),
                                     frame->sample_rate, 0, nullptr),
                 "audio conversion");
  ffmpeg::ResamplerPtr resampler(raw);
  RequireSuccess(av_opt_set_double(resampler.get(), "rematrix_maxval", 1.0, 0), "audio conversion");
  RequireSuccess(swr_init(resampler.get()), "audio conversion");
  resampler_ = std::move(resampler);
  CopyUsableLayout(*layout.get(), inputLayout_.get());
  inputFormat_ = static_cast<AVSampleFormat>(frame->format);
  inputRate_ = frame->sample_rate;
}

void AudioResampler::EnsureCapacity(int samples) {
  if (samples <= bufferCapacity_) return;
  if (buffer_ != nullptr) av_freep(&buffer_[0]);
  av_freep(&buffer_);
  bufferCapacity_ = 0;
  RequireSuccess(av_samples_alloc_array_and_samples(&buffer_, nullptr, outputLayout_.get()->nb_channels,
                                                    samples, outputFormat_, 0),
                 "audio conversion");
  bufferCapacity_ = samples;
}

ConvertedAudio AudioResampler::Convert(const AVFrame* frame, int offset, int count) {
  if (count <= 0) return {};
  OffsetPlanes(frame, offset, inputPlanes_);
  if (MatchesOutput(frame) && !resampler_) return {inputPlanes_.data(), count};
  ConfigureFor(frame);
  EnsureCapacity(swr_get_out_samples(resampler_.get(), count));
  const int converted = RequireSuccess(
      swr_convert(resampler_.get(), buffer_, bufferCapacity_, inputPlanes_.data(), count),
      "audio conversion");
  return {buffer_, converted};
}

ConvertedAudio AudioResampler::Drain() {
  if (!resampler_) return {};
  EnsureCapacity(std::max(swr_get_out_samples(resampler_.get(), 0), 1));
  const int converted = RequireSuccess(
      swr_convert(resampler_.get(), buffer_, bufferCapacity_, nullptr, 0), "audio conversion");
  return {buffer_, converted};
}

}  // namespace varnell

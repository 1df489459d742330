#include "playermodule/AudioConverter.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

namespace varnell::player {

AudioConverter::AudioConverter(int outputRate, int outputChannels)
    : outputRate_(outputRate), outputChannels_(outputChannels) {}

AudioConverter::~AudioConverter() { av_channel_layout_uninit(&inputLayout_); }

bool AudioConverter::configureFor(const AVFrame& frame) {
  if (resampler_ && frame.format == inputFormat_ && frame.sample_rate == inputRate_ &&
      av_channel_layout_compare(&frame.ch_layout, &inputLayout_) == 0) {
    return true;
  }
  resampler_.reset();
  av_channel_layout_uninit(&inputLayout_);
  AVChannelLayout inputLayout{};
  if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || frame.ch_layout.nb_channels <= 0) {
    // Decoders that know only a channel count get FFmpeg's usual layout for it.
    av_channel_layout_default(&inputLayout, frame.ch_layout.nb_channels > 0 ? frame.ch_layout.nb_channels : 1);
  } else if (av_channel_layout_copy(&inputLayout, &frame.ch_layout) < 0) {
    return false;
  }
  AVChannelLayout outputLayout{};
  av_channel_layout_default(&outputLayout, outputChannels_);
  SwrContext* raw = nullptr;
  int rc = swr_alloc_set_opts2(&raw, &outputLayout, AV_SAMPLE_FMT_FLT, outputRate_, &inputLayout,
                               static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr);
  ResamplerPtr resampler(raw);
  const bool layoutCopied = av_channel_layout_copy(&inputLayout_, &inputLayout) == 0;
  av_channel_layout_uninit(&inputLayout);
  av_channel_layout_uninit(&outputLayout);
  if (rc < 0 || !resampler || !layoutCopied) {
    return false;
  }
  // The automatic downmix of surround sound is not scaled down for float output and would clip.
  if (av_opt_set_double(resampler.get(), "rematrix_maxval", 1.0, 0) < 0) {
    return false;
  }
  // Mono is a centre channel to the resampler, which spreads it at -3 dB whatever the centre mix
  // level; a mono file should sound on each side as loud as it was recorded.
  if (frame.ch_layout.nb_channels == 1) {
    const std::vector<double> everyOutputFromTheOne(static_cast<std::size_t>(outputChannels_), 1.0);
    if (swr_set_matrix(resampler.get(), everyOutputFromTheOne.data(), 1) < 0) {
      return false;
    }
  }
  if (swr_init(resampler.get()) < 0) {
    return false;
  }
  resampler_ = std::move(resampler);
  inputFormat_ = frame.format;
  inputRate_ = frame.sample_rate;
  return true;
}

bool AudioConverter::convert(const AVFrame& frame, int skip, std::vector<float>& out) {
  if (skip < 0) {
    return false;
  }
  if (skip >= frame.nb_samples) {
    return true;
  }
  if (frame.sample_rate <= 0 || !configureFor(frame)) {
    return false;
  }
  const AVSampleFormat format = static_cast<AVSampleFormat>(frame.format);
  const int channels = frame.ch_layout.nb_channels;
  const int bytesPerSample = av_get_bytes_per_sample(format);
  const bool planar = av_sample_fmt_is_planar(format) != 0;
  std::vector<const uint8_t*> input(planar ? channels : 1);
  for (std::size_t plane = 0; plane < input.size(); ++plane) {
    input[plane] = frame.extended_data[plane] +
                   static_cast<std::ptrdiff_t>(skip) * bytesPerSample * (planar ? 1 : channels);
  }
  return receive(input.data(), frame.nb_samples - skip, out);
}

bool AudioConverter::drain(std::vector<float>& out) {
  return !resampler_ || receive(nullptr, 0, out);
}

bool AudioConverter::receive(const uint8_t** input, int inputFrames, std::vector<float>& out) {
  const int room = swr_get_out_samples(resampler_.get(), inputFrames);
  if (room < 0) {
    return false;
  }
  if (room == 0) {
    return true;
  }
  const std::size_t offset = out.size();
  out.resize(offset + static_cast<std::size_t>(room) * outputChannels_);
  uint8_t* output = reinterpret_cast<uint8_t*>(out.data() + offset);
  const int produced = swr_convert(resampler_.get(), &output, room, input, inputFrames);
  if (produced < 0) {
    out.resize(offset);
    return false;
  }
  out.resize(offset + static_cast<std::size_t>(produced) * outputChannels_);
  return true;
}

}  // namespace varnell::player

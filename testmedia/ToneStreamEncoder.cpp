#include "testmedia/ToneStreamEncoder.h"
#include "testmedia/EncodedPacketWriter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "testmedia/FfmpegError.h"

extern "C" {
#include <libavutil/channel_layout.h>
}

namespace varnell::testmedia {
namespace {

// Six channels are written as FFmpeg's "5.1" (back surrounds): the aac encoder maps that
// layout to MPEG-4 channel configuration 6, which FFmpeg decodes back as "5.1". The
// side-surround variant (AV_CHANNEL_LAYOUT_5POINT1) gets a program config element
// instead, and FFmpeg then reports the layout as unknown.
bool MakeChannelLayout(int channels, AVChannelLayout& layout) {
  if (channels == 6) {
    layout = AV_CHANNEL_LAYOUT_5POINT1_BACK;
    return true;
  }
  if (channels == 1 || channels == 2) {
    av_channel_layout_default(&layout, channels);
    return true;
  }
  return false;
}

}  // namespace

bool ToneStreamEncoder::open(AVFormatContext* output, const ToneStreamSettings& settings,
                             std::string* error) {
  output_ = output;
  const AVCodec* codec = avcodec_find_encoder_by_name(settings.encoderName);
  if (codec == nullptr) {
    return Fail(error, std::string("encoder not available: ") + settings.encoderName);
  }
  AVChannelLayout layout{};
  if (!MakeChannelLayout(settings.channels, layout)) {
    return Fail(error,
                "unsupported channel count " + std::to_string(settings.channels) + " (1, 2 or 6)");
  }
  if (settings.sampleRate <= 0) {
    return Fail(error, "sample rate must be positive");
  }
  encoder_.reset(avcodec_alloc_context3(codec));
  frame_.reset(av_frame_alloc());
  packet_.reset(av_packet_alloc());
  if (!encoder_ || !frame_ || !packet_) {
    return Fail(error, "out of memory allocating the encoder");
  }
  encoder_->sample_fmt = AV_SAMPLE_FMT_FLTP;
  if (codec->id == AV_CODEC_ID_FLAC) {
    // A deep lossless source: 24 bits, carried at the top of FLAC's 32-bit samples.
    encoder_->sample_fmt = AV_SAMPLE_FMT_S32;
    encoder_->bits_per_raw_sample = 24;
  }
  encoder_->sample_rate = settings.sampleRate;
  encoder_->bit_rate = settings.bitRate;
  encoder_->time_base = AVRational{1, settings.sampleRate};
  int rc = av_channel_layout_copy(&encoder_->ch_layout, &layout);
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("copying the channel layout", rc));
  }
  if (codec->id == AV_CODEC_ID_AAC) {
    encoder_->profile = FF_PROFILE_AAC_LOW;
  }
  if (output->oformat->flags & AVFMT_GLOBALHEADER) {
    encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  }
  ffmpeg::Dictionary encoderOptions;
  if (codec->id == AV_CODEC_ID_AAC) {
    // The default "twoloop" coder smears pure tones (a 0.5 sine at 880 Hz decodes with
    // peaks of 0.70 at 128 kb/s); "fast" keeps them within a fraction of a percent,
    // which the level checks on converted files depend on.
    rc = av_dict_set(encoderOptions.address(), "aac_coder", "fast", 0);
    if (rc < 0) {
      return Fail(error, DescribeFFmpegError("setting aac_coder", rc));
    }
    if (!settings.aacNoiseSubstitution) {
      rc = av_dict_set(encoderOptions.address(), "aac_pns", "0", 0);
      if (rc < 0) return Fail(error, DescribeFFmpegError("setting aac_pns", rc));
    }
  }
  rc = avcodec_open2(encoder_.get(), codec, encoderOptions.address());
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError(std::string("opening encoder ") + settings.encoderName +
                                               " at " + std::to_string(settings.sampleRate) +
                                               " Hz, " + std::to_string(settings.channels) + " ch",
                                           rc));
  }
  stream_ = avformat_new_stream(output, nullptr);
  if (stream_ == nullptr) {
    return Fail(error, "out of memory adding an audio stream");
  }
  stream_->time_base = encoder_->time_base;
  rc = avcodec_parameters_from_context(stream_->codecpar, encoder_.get());
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("copying encoder parameters to the stream", rc));
  }

  // Encoders without a fixed frame size (none of ours, but cheap to allow) take 1024-sample blocks.
  const int frameSize = encoder_->frame_size > 0 ? encoder_->frame_size : 1024;
  frame_->format = encoder_->sample_fmt;
  frame_->sample_rate = encoder_->sample_rate;
  frame_->nb_samples = frameSize;
  rc = av_channel_layout_copy(&frame_->ch_layout, &encoder_->ch_layout);
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("copying the channel layout", rc));
  }
  rc = av_frame_get_buffer(frame_.get(), 0);
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("allocating the audio frame", rc));
  }
  source_ =
      std::make_unique<ToneSource>(settings.sampleRate, settings.channels, settings.baseHz,
                                   settings.amplitude, settings.leadSamples, settings.totalSamples);
  return true;
}

long long ToneStreamEncoder::samplesSent() const { return source_ ? source_->produced() : 0; }

bool ToneStreamEncoder::writeNextFrame(std::string* error) {
  if (finished_) {
    return true;
  }
  if (source_->remaining() > 0) {
    if (!sendFrame(error)) {
      return false;
    }
  } else if (!flushed_) {
    const int rc = avcodec_send_frame(encoder_.get(), nullptr);
    if (rc < 0) {
      return Fail(error, DescribeFFmpegError("flushing the audio encoder", rc));
    }
    flushed_ = true;
  }
  return writePendingPackets(error);
}

bool ToneStreamEncoder::sendFrame(std::string* error) {
  // The encoder may still hold a reference to the previous block's buffers.
  int rc = av_frame_make_writable(frame_.get());
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("making the audio frame writable", rc));
  }
  const int capacity = encoder_->frame_size > 0 ? encoder_->frame_size : 1024;
  frame_->pts = source_->produced();
  if (encoder_->sample_fmt == AV_SAMPLE_FMT_FLTP) {
    frame_->nb_samples =
        source_->fill(reinterpret_cast<float* const*>(frame_->extended_data), capacity);
  } else {
    frame_->nb_samples = fillDeep(capacity);
  }
  rc = avcodec_send_frame(encoder_.get(), frame_.get());
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("sending audio to the encoder", rc));
  }
  return true;
}

// The tone rounded to 24 bits, interleaved in 32-bit samples.
int ToneStreamEncoder::fillDeep(int capacity) {
  const int channels = encoder_->ch_layout.nb_channels;
  scratch_.resize(static_cast<std::size_t>(channels) * capacity);
  std::vector<float*> planes;
  for (int c = 0; c < channels; ++c) planes.push_back(scratch_.data() + c * capacity);
  const int count = source_->fill(planes.data(), capacity);
  auto* out = reinterpret_cast<int32_t*>(frame_->data[0]);
  for (int i = 0; i < count; ++i) {
    for (int c = 0; c < channels; ++c) {
      const long level = std::lround(planes[c][i] * 8388607.0);
      out[i * channels + c] = static_cast<int32_t>(std::clamp(level, -8388608L, 8388607L) * 256);
    }
  }
  return count;
}

bool ToneStreamEncoder::writePendingPackets(std::string* error) {
  return WriteEncodedPackets(encoder_.get(), packet_.get(), stream_, output_, finished_, "an audio",
                             error);
}

}  // namespace varnell::testmedia

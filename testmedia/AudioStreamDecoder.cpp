#include "testmedia/AudioStreamDecoder.h"

#include "testmedia/FfmpegError.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
}

namespace varnell::testmedia {
namespace {

// A file this broken is not worth reading to the end.
constexpr int kMaximumDecodeErrors = 100;

float SampleAsFloat(const uint8_t* data, AVSampleFormat packedFormat, int index) {
  switch (packedFormat) {
    case AV_SAMPLE_FMT_U8:
      return (static_cast<int>(data[index]) - 128) / 128.0f;
    case AV_SAMPLE_FMT_S16:
      return reinterpret_cast<const int16_t*>(data)[index] / 32768.0f;
    case AV_SAMPLE_FMT_S32:
      return static_cast<float>(reinterpret_cast<const int32_t*>(data)[index] / 2147483648.0);
    case AV_SAMPLE_FMT_S64:
      return static_cast<float>(static_cast<double>(reinterpret_cast<const int64_t*>(data)[index]) /
                                9223372036854775808.0);
    case AV_SAMPLE_FMT_FLT:
      return reinterpret_cast<const float*>(data)[index];
    case AV_SAMPLE_FMT_DBL:
      return static_cast<float>(reinterpret_cast<const double*>(data)[index]);
    default:
      return 0.0f;
  }
}

}  // namespace

std::string DescribeChannelLayout(const AVChannelLayout& layout) {
  char text[128] = {};
  if (av_channel_layout_describe(&layout, text, sizeof text) < 0) {
    return {};
  }
  return text;
}

bool AudioStreamDecoder::open(const AVStream& stream, std::string* error) {
  const char* codecName = avcodec_get_name(stream.codecpar->codec_id);
  const int rc = decoder_.Open(stream);
  if (rc == AVERROR_DECODER_NOT_FOUND) {
    return Fail(error, std::string("no decoder for ") + codecName);
  }
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError(std::string("opening decoder ") + codecName, rc));
  }
  frame_.reset(av_frame_alloc());
  if (!frame_) {
    return Fail(error, "out of memory allocating the decoder");
  }
  return true;
}

bool AudioStreamDecoder::decode(const AVPacket* packet, std::string* error) {
  for (;;) {
    const int rc = decoder_.Send(packet);
    if (rc == AVERROR(EAGAIN)) {
      // Output is pending; collect it, then the same packet is accepted.
      if (!receiveFrames(error)) {
        return false;
      }
      continue;
    }
    if (rc == AVERROR_EOF) {
      return true;
    }
    if (rc < 0) {
      if (packet == nullptr) {
        return Fail(error, DescribeFFmpegError("draining the decoder", rc));
      }
      if (++decoded_.decodeErrors > kMaximumDecodeErrors) {
        return Fail(error, DescribeFFmpegError("decoding (too many bad packets)", rc));
      }
    }
    return receiveFrames(error);
  }
}

bool AudioStreamDecoder::receiveFrames(std::string* error) {
  for (;;) {
    const int rc = decoder_.Receive(frame_.get());
    if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) {
      return true;
    }
    if (rc < 0) {
      if (++decoded_.decodeErrors > kMaximumDecodeErrors) {
        return Fail(error, DescribeFFmpegError("decoding (too many bad frames)", rc));
      }
      return true;
    }
    const bool appended = appendFrame(error);
    av_frame_unref(frame_.get());
    if (!appended) {
      return false;
    }
  }
}

bool AudioStreamDecoder::appendFrame(std::string* error) {
  const AVFrame& frame = *frame_;
  const int channels = frame.ch_layout.nb_channels;
  if (decoded_.channels == 0) {
    decoded_.channels = channels;
    decoded_.sampleRate = frame.sample_rate;
    decoded_.channelLayout = DescribeChannelLayout(frame.ch_layout);
    decoded_.samples.assign(static_cast<std::size_t>(channels), {});
  } else if (channels != decoded_.channels || frame.sample_rate != decoded_.sampleRate) {
    return Fail(error, "the stream changes channel count or sample rate mid-way");
  }
  const auto format = static_cast<AVSampleFormat>(frame.format);
  const AVSampleFormat packed = av_get_packed_sample_fmt(format);
  if (packed == AV_SAMPLE_FMT_NONE || av_get_bytes_per_sample(packed) == 0) {
    return Fail(error, "decoder produced an unknown sample format");
  }
  const bool planar = av_sample_fmt_is_planar(format) != 0;
  for (int c = 0; c < channels; ++c) {
    std::vector<float>& out = decoded_.samples[static_cast<std::size_t>(c)];
    const uint8_t* plane = planar ? frame.extended_data[c] : frame.extended_data[0];
    for (int i = 0; i < frame.nb_samples; ++i) {
      out.push_back(SampleAsFloat(plane, packed, planar ? i : i * channels + c));
    }
  }
  return true;
}

}  // namespace varnell::testmedia

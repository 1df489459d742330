#include "testmedia/VideoSampleWriter.h"
#include "testmedia/EncodedPacketWriter.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "media/FFmpegHandles.h"
#include "testmedia/FfmpegError.h"
#include "testmedia/ToneStreamEncoder.h"

namespace varnell::testmedia {
namespace {

struct YuvColour {
  uint8_t y, cb, cr;
};

// ITU-R BT.601 in limited range, the decoder's default for MPEG-4 part 2.
YuvColour ToYuv(const RgbColour& colour) {
  const double r = colour.red, g = colour.green, b = colour.blue;
  const auto clamp = [](double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
  };
  return {clamp(16.0 + (65.481 * r + 128.553 * g + 24.966 * b) / 255.0),
          clamp(128.0 + (-37.797 * r - 74.203 * g + 112.0 * b) / 255.0),
          clamp(128.0 + (112.0 * r - 93.786 * g - 18.214 * b) / 255.0)};
}

void PaintHalves(AVFrame& frame, const YuvColour& top, const YuvColour& bottom) {
  for (int y = 0; y < frame.height; ++y) {
    const YuvColour& colour = y < frame.height / 2 ? top : bottom;
    std::fill_n(frame.data[0] + y * frame.linesize[0], frame.width, colour.y);
  }
  for (int y = 0; y < frame.height / 2; ++y) {
    const YuvColour& colour = y < frame.height / 4 ? top : bottom;
    std::fill_n(frame.data[1] + y * frame.linesize[1], frame.width / 2, colour.cb);
    std::fill_n(frame.data[2] + y * frame.linesize[2], frame.width / 2, colour.cr);
  }
}

// The video stream of the sample: one encoder whose packets go to one stream of the muxer.
class HalvesVideoEncoder {
 public:
  bool open(AVFormatContext& output, const VideoSampleSpec& sample, std::string* error) {
    output_ = &output;
    sample_ = &sample;
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    if (codec == nullptr) {
      return Fail(error, "mpeg4 encoder not available");
    }
    encoder_.reset(avcodec_alloc_context3(codec));
    frame_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    if (!encoder_ || !frame_ || !packet_) {
      return Fail(error, "out of memory allocating the video encoder");
    }
    encoder_->width = sample.width;
    encoder_->height = sample.height;
    encoder_->pix_fmt = AV_PIX_FMT_YUV420P;
    encoder_->time_base = AVRational{1, sample.framesPerSecond};
    encoder_->framerate = AVRational{sample.framesPerSecond, 1};
    encoder_->gop_size = sample.keyframeInterval;
    encoder_->max_b_frames = 0;
    // A fixed fine quantiser keeps the solid colours within a few levels of what was painted.
    encoder_->flags |= AV_CODEC_FLAG_QSCALE;
    encoder_->global_quality = FF_QP2LAMBDA * 2;
    encoder_->colorspace = AVCOL_SPC_SMPTE170M;
    encoder_->color_range = AVCOL_RANGE_MPEG;
    if (output.oformat->flags & AVFMT_GLOBALHEADER) {
      encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    int rc = avcodec_open2(encoder_.get(), codec, nullptr);
    if (rc < 0) {
      return Fail(error, DescribeFFmpegError("opening the mpeg4 encoder", rc));
    }
    stream_ = avformat_new_stream(&output, nullptr);
    if (stream_ == nullptr) {
      return Fail(error, "out of memory adding the video stream");
    }
    stream_->time_base = encoder_->time_base;
    rc = avcodec_parameters_from_context(stream_->codecpar, encoder_.get());
    if (rc < 0) {
      return Fail(error, DescribeFFmpegError("copying video encoder parameters", rc));
    }
    frame_->format = encoder_->pix_fmt;
    frame_->width = sample.width;
    frame_->height = sample.height;
    rc = av_frame_get_buffer(frame_.get(), 0);
    if (rc < 0) {
      return Fail(error, DescribeFFmpegError("allocating the video frame", rc));
    }
    frameCount_ = std::lround(sample.seconds * sample.framesPerSecond);
    return true;
  }

  double nextFrameSeconds() const {
    return static_cast<double>(framesSent_) / sample_->framesPerSecond;
  }
  bool finished() const { return finished_; }

  bool writeNextFrame(std::string* error) {
    if (framesSent_ < frameCount_) {
      int rc = av_frame_make_writable(frame_.get());
      if (rc < 0) {
        return Fail(error, DescribeFFmpegError("making the video frame writable", rc));
      }
      const bool swapped = nextFrameSeconds() >= sample_->swapSeconds;
      const YuvColour top = ToYuv(swapped ? sample_->bottom : sample_->top);
      const YuvColour bottom = ToYuv(swapped ? sample_->top : sample_->bottom);
      PaintHalves(*frame_, top, bottom);
      frame_->pts = framesSent_++;
      frame_->quality = encoder_->global_quality;
      rc = avcodec_send_frame(encoder_.get(), frame_.get());
      if (rc < 0) {
        return Fail(error, DescribeFFmpegError("sending a picture to the encoder", rc));
      }
    } else {
      const int rc = avcodec_send_frame(encoder_.get(), nullptr);
      if (rc < 0 && rc != AVERROR_EOF) {
        return Fail(error, DescribeFFmpegError("flushing the video encoder", rc));
      }
    }
    return writePendingPackets(error);
  }

 private:
  bool writePendingPackets(std::string* error) {
    return WriteEncodedPackets(encoder_.get(), packet_.get(), stream_, output_, finished_,
                               "a video", error);
  }

  AVFormatContext* output_ = nullptr;
  const VideoSampleSpec* sample_ = nullptr;
  AVStream* stream_ = nullptr;
  ffmpeg::CodecContextPtr encoder_;
  ffmpeg::FramePtr frame_;
  ffmpeg::PacketPtr packet_;
  long frameCount_ = 0;
  long framesSent_ = 0;
  bool finished_ = false;
};

bool CheckRequest(const VideoSampleSpec& sample, std::string* error) {
  if (sample.path.empty()) {
    return Fail(error, "no output path");
  }
  if (sample.width <= 0 || sample.height <= 0 || sample.width % 2 != 0 || sample.height % 4 != 0) {
    return Fail(error, "picture size must be positive, width even and height a multiple of 4");
  }
  if (sample.framesPerSecond <= 0 || sample.keyframeInterval <= 0 || !(sample.seconds > 0.0)) {
    return Fail(error, "frame rate, keyframe interval and length must be positive");
  }
  return true;
}

bool WriteFile(const VideoSampleSpec& sample, std::string* error, bool& fileOpened) {
  AVFormatContext* rawOutput = nullptr;
  int rc = avformat_alloc_output_context2(&rawOutput, nullptr, "mp4", sample.path.c_str());
  if (rc < 0 || rawOutput == nullptr) {
    return Fail(error, DescribeFFmpegError("creating the mp4 muxer", rc));
  }
  ffmpeg::OutputContextPtr output(rawOutput);
  HalvesVideoEncoder video;
  if (!video.open(*output, sample, error)) {
    return false;
  }
  ToneStreamEncoder tone;
  constexpr int kToneRate = 44100;
  if (sample.withTone) {
    ToneStreamSettings settings;
    settings.sampleRate = kToneRate;
    settings.totalSamples = std::llround(sample.seconds * kToneRate);
    if (!tone.open(output.get(), settings, error)) {
      return false;
    }
  }
  rc = avio_open(&output->pb, sample.path.c_str(), AVIO_FLAG_WRITE);
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("opening " + sample.path + " for writing", rc));
  }
  fileOpened = true;
  ffmpeg::Dictionary muxerOptions;
  if (sample.fastStart) {
    rc = av_dict_set(muxerOptions.address(), "movflags", "+faststart", 0);
    if (rc < 0) {
      return Fail(error, DescribeFFmpegError("setting movflags", rc));
    }
  }
  rc = avformat_write_header(output.get(), muxerOptions.address());
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("writing the container header", rc));
  }
  // Whichever stream is behind in time writes next, so the file interleaves as a player expects.
  const auto toneDone = [&] { return !sample.withTone || tone.finished(); };
  while (!video.finished() || !toneDone()) {
    const bool videoNext = !video.finished() &&
                           (toneDone() || video.nextFrameSeconds() <=
                                              static_cast<double>(tone.samplesSent()) / kToneRate);
    if (!(videoNext ? video.writeNextFrame(error) : tone.writeNextFrame(error))) {
      return false;
    }
  }
  rc = av_write_trailer(output.get());
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("writing the container trailer", rc));
  }
  rc = avio_closep(&output->pb);
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("closing " + sample.path, rc));
  }
  return true;
}

}  // namespace

bool WriteVideoSample(const VideoSampleSpec& sample, std::string* error) {
  if (!CheckRequest(sample, error)) {
    return false;
  }
  return WriteOrRemove(sample.path, error, [&sample](std::string* failure, bool& fileOpened) {
    return WriteFile(sample, failure, fileOpened);
  });
}

}  // namespace varnell::testmedia

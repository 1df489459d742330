#include "testmedia/PatternVideoWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "media/FFmpegHandles.h"
#include "testmedia/EncodedPacketWriter.h"
#include "testmedia/FfmpegError.h"
#include "testmedia/ToneStreamEncoder.h"

extern "C" {
#include <libavutil/display.h>
}

namespace varnell::testmedia {
namespace {

constexpr int kToneRate = 44100;

// A fixed speckle of -32..31 per pixel and channel, the same in every picture.
int Grain(int x, int y, int channel) {
  std::uint32_t hash = static_cast<std::uint32_t>(x) * 73856093u ^
                       static_cast<std::uint32_t>(y) * 19349663u ^
                       static_cast<std::uint32_t>(channel) * 83492791u;
  hash ^= hash >> 13;
  hash *= 0x5bd1e995u;
  hash ^= hash >> 15;
  return static_cast<int>(hash % 64) - 32;
}

std::uint8_t Channel(int level, bool grain, int x, int y, int channel) {
  return static_cast<std::uint8_t>(std::clamp(level + (grain ? Grain(x, y, channel) : 0), 0, 255));
}

void PaintPattern(AVFrame& rgb, long long number, bool grain) {
  const int bandTop = static_cast<int>(rgb.height * kPatternBandTop);
  const int bandBottom = static_cast<int>(rgb.height * kPatternBandBottom);
  for (int y = 0; y < rgb.height; ++y) {
    std::uint8_t* row = rgb.data[0] + static_cast<std::ptrdiff_t>(y) * rgb.linesize[0];
    for (int x = 0; x < rgb.width; ++x) {
      RgbColour colour;
      if (y >= bandTop && y < bandBottom) {
        const int cell = x * kPatternNumberCells / rgb.width;
        const int level = ((number >> cell) & 1) != 0 ? 255 : 0;
        colour = {level, level, level};
      } else {
        const bool top = y < rgb.height / 2;
        const bool left = x < rgb.width / 2;
        colour = top ? (left ? kPatternTopLeft : kPatternTopRight)
                     : (left ? kPatternBottomLeft : kPatternBottomRight);
      }
      row[3 * x] = Channel(colour.red, grain, x, y, 0);
      row[3 * x + 1] = Channel(colour.green, grain, x, y, 1);
      row[3 * x + 2] = Channel(colour.blue, grain, x, y, 2);
    }
  }
}

// The pattern's video stream: pictures painted in RGB, converted to the encoder's 4:2:0.
class PatternEncoder {
 public:
  bool open(AVFormatContext& output, const PatternVideo& pattern, std::string* error) {
    output_ = &output;
    rate_ = AVRational{pattern.rateNumerator, pattern.rateDenominator};
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    if (codec == nullptr) return Fail(error, "mpeg4 encoder not available");
    encoder_.reset(avcodec_alloc_context3(codec));
    rgb_.reset(av_frame_alloc());
    yuv_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    if (!encoder_ || !rgb_ || !yuv_ || !packet_) return Fail(error, "out of memory");
    encoder_->width = pattern.width;
    encoder_->height = pattern.height;
    encoder_->pix_fmt = AV_PIX_FMT_YUV420P;
    encoder_->time_base = av_inv_q(rate_);
    encoder_->framerate = rate_;
    encoder_->gop_size = pattern.keyframeInterval;
    encoder_->max_b_frames = 0;
    // A fine fixed quantiser keeps colours and the number band clean after decoding.
    encoder_->flags |= AV_CODEC_FLAG_QSCALE;
    encoder_->global_quality = FF_QP2LAMBDA * 2;
    if (output.oformat->flags & AVFMT_GLOBALHEADER) encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int rc = avcodec_open2(encoder_.get(), codec, nullptr);
    if (rc < 0) return Fail(error, DescribeFFmpegError("opening the mpeg4 encoder", rc));
    stream_ = avformat_new_stream(&output, nullptr);
    if (stream_ == nullptr) return Fail(error, "out of memory adding the video stream");
    stream_->time_base = encoder_->time_base;
    stream_->avg_frame_rate = rate_;
    rc = avcodec_parameters_from_context(stream_->codecpar, encoder_.get());
    if (rc < 0) return Fail(error, DescribeFFmpegError("copying video encoder parameters", rc));
    if (pattern.displayRotation != 0) {
      auto* matrix = reinterpret_cast<std::int32_t*>(
          av_stream_new_side_data(stream_, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(std::int32_t)));
      if (matrix == nullptr) return Fail(error, "out of memory adding the display matrix");
      // Read back (as ffprobe shows it) the angle is counter-clockwise: -90 for a picture shown
      // turned 90 degrees clockwise, as a phone's portrait video has it. The mp4 muxer stores
      // the matrix transposed, which turns the sign of the angle set here.
      av_display_rotation_set(matrix, pattern.displayRotation);
    }
    for (auto [frame, format] :
         {std::pair{rgb_.get(), AV_PIX_FMT_RGB24}, std::pair{yuv_.get(), AV_PIX_FMT_YUV420P}}) {
      frame->format = format;
      frame->width = pattern.width;
      frame->height = pattern.height;
      rc = av_frame_get_buffer(frame, 0);
      if (rc < 0) return Fail(error, DescribeFFmpegError("allocating a picture", rc));
    }
    converter_.reset(sws_getContext(pattern.width, pattern.height, AV_PIX_FMT_RGB24, pattern.width,
                                    pattern.height, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr,
                                    nullptr, nullptr));
    if (!converter_) return Fail(error, "cannot create the picture converter");
    firstPts_ = std::llround(pattern.videoDelaySeconds * av_q2d(rate_));
    frameCount_ = PatternFrameCount(pattern);
    grain_ = pattern.grain;
    return true;
  }

  double nextFrameSeconds() const { return (firstPts_ + framesSent_) / av_q2d(rate_); }
  bool finished() const { return finished_; }

  bool writeNextFrame(std::string* error) {
    if (framesSent_ < frameCount_) {
      int rc = av_frame_make_writable(yuv_.get());
      if (rc < 0) return Fail(error, DescribeFFmpegError("making the picture writable", rc));
      PaintPattern(*rgb_, framesSent_, grain_);
      sws_scale(converter_.get(), rgb_->data, rgb_->linesize, 0, rgb_->height, yuv_->data,
                yuv_->linesize);
      yuv_->pts = firstPts_ + framesSent_++;
      yuv_->quality = encoder_->global_quality;
      rc = avcodec_send_frame(encoder_.get(), yuv_.get());
      if (rc < 0) return Fail(error, DescribeFFmpegError("sending a picture to the encoder", rc));
    } else {
      const int rc = avcodec_send_frame(encoder_.get(), nullptr);
      if (rc < 0 && rc != AVERROR_EOF) {
        return Fail(error, DescribeFFmpegError("flushing the video encoder", rc));
      }
    }
    return WriteEncodedPackets(encoder_.get(), packet_.get(), stream_, output_, finished_,
                               "a video", error);
  }

 private:
  AVFormatContext* output_ = nullptr;
  AVStream* stream_ = nullptr;
  AVRational rate_{30, 1};
  ffmpeg::CodecContextPtr encoder_;
  ffmpeg::FramePtr rgb_;
  ffmpeg::FramePtr yuv_;
  ffmpeg::PacketPtr packet_;
  ffmpeg::ScalerPtr converter_;
  long long firstPts_ = 0;
  long long frameCount_ = 0;
  long long framesSent_ = 0;
  bool finished_ = false;
  bool grain_ = false;
};

bool WriteFile(const PatternVideo& pattern, std::string* error, bool& fileOpened) {
  AVFormatContext* raw = nullptr;
  int rc = avformat_alloc_output_context2(&raw, nullptr, "mp4", pattern.path.c_str());
  if (rc < 0 || raw == nullptr)
    return Fail(error, DescribeFFmpegError("creating the mp4 muxer", rc));
  ffmpeg::OutputContextPtr output(raw);
  PatternEncoder video;
  if (!video.open(*output, pattern, error)) return false;
  ToneStreamEncoder tone;
  if (pattern.withTone) {
    ToneStreamSettings settings;
    settings.sampleRate = kToneRate;
    settings.totalSamples = std::llround(pattern.seconds * kToneRate);
    if (!tone.open(output.get(), settings, error)) return false;
  }
  rc = avio_open(&output->pb, pattern.path.c_str(), AVIO_FLAG_WRITE);
  if (rc < 0)
    return Fail(error, DescribeFFmpegError("opening " + pattern.path + " for writing", rc));
  fileOpened = true;
  rc = avformat_write_header(output.get(), nullptr);
  if (rc < 0) return Fail(error, DescribeFFmpegError("writing the container header", rc));
  // Whichever stream is behind in time writes next, so the file interleaves as a player expects.
  const auto toneDone = [&] { return !pattern.withTone || tone.finished(); };
  while (!video.finished() || !toneDone()) {
    const bool videoNext = !video.finished() &&
                           (toneDone() || video.nextFrameSeconds() <=
                                              static_cast<double>(tone.samplesSent()) / kToneRate);
    if (!(videoNext ? video.writeNextFrame(error) : tone.writeNextFrame(error))) return false;
  }
  rc = av_write_trailer(output.get());
  if (rc < 0) return Fail(error, DescribeFFmpegError("writing the container trailer", rc));
  rc = avio_closep(&output->pb);
  if (rc < 0) return Fail(error, DescribeFFmpegError("closing " + pattern.path, rc));
  return true;
}

}  // namespace

long long PatternFrameCount(const PatternVideo& pattern) {
  return std::llround((pattern.seconds - pattern.videoDelaySeconds) * pattern.rateNumerator /
                      pattern.rateDenominator);
}

bool WritePatternVideo(const PatternVideo& pattern, std::string* error) {
  if (pattern.path.empty()) return Fail(error, "no output path");
  if (pattern.width <= 0 || pattern.height <= 0 || pattern.width % 2 != 0 ||
      pattern.height % 2 != 0) {
    return Fail(error, "picture size must be positive and even");
  }
  if (pattern.rateNumerator <= 0 || pattern.rateDenominator <= 0 || pattern.keyframeInterval <= 0 ||
      !(pattern.seconds > pattern.videoDelaySeconds) || pattern.videoDelaySeconds < 0.0) {
    return Fail(error, "frame rate, keyframe interval and length must be positive");
  }
  return WriteOrRemove(pattern.path, error, [&pattern](std::string* failure, bool& fileOpened) {
    return WriteFile(pattern, failure, fileOpened);
  });
}

}  // namespace varnell::testmedia

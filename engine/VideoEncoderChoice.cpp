#include "engine/VideoEncoderChoice.h"

#include <array>

#include "engine/CodecNames.h"
#include "engine/ConversionFailure.h"
#include "engine/VideoTimeBase.h"
#include "media/StreamDecoder.h"

namespace varnell {

enum class VideoSizeRule { Any, EvenWidth, EvenSize, MultipleOfFour, H263Sizes, DvProfiles };
enum class VideoRateRule { Any, Mpeg1Rates, Mpeg2Rates, Mpeg4TimeBase };

struct VideoEncoderEntry {
  AVCodecID codecId;
  const char* encoderName;
  const char* label;
  AVPixelFormat pixelFormat;
  VideoSizeRule size;
  VideoRateRule rate;
};

namespace {

using SizeRule = VideoSizeRule;
using RateRule = VideoRateRule;

// The engine's thirteen encoders, in the engine's order. FFmpeg 5.1 has no Xvid codec id: Xvid
// is MPEG-4 part 2 from libxvid, found by its encoder name.
constexpr std::array<VideoEncoderEntry, 13> kEncoders{{
    {AV_CODEC_ID_H263, "h263", "H.263 encoder", AV_PIX_FMT_YUV420P, SizeRule::H263Sizes,
     RateRule::Any},
    {AV_CODEC_ID_MPEG4, "mpeg4", "MPEG-4 encoder", AV_PIX_FMT_YUV420P, SizeRule::Any,
     RateRule::Mpeg4TimeBase},
    {AV_CODEC_ID_FLV1, "flv", "FLV1 encoder", AV_PIX_FMT_YUV420P, SizeRule::Any, RateRule::Any},
    {AV_CODEC_ID_WMV1, "wmv1", "WMV1 encoder", AV_PIX_FMT_YUV420P, SizeRule::EvenWidth,
     RateRule::Any},
    {AV_CODEC_ID_WMV2, "wmv2", "WMV2 encoder", AV_PIX_FMT_YUV420P, SizeRule::EvenWidth,
     RateRule::Any},
    {AV_CODEC_ID_MPEG4, "libxvid", "Xvid encoder", AV_PIX_FMT_YUV420P, SizeRule::EvenSize,
     RateRule::Mpeg4TimeBase},
    {AV_CODEC_ID_MPEG2VIDEO, "mpeg2video", "MPEG-2 encoder", AV_PIX_FMT_YUV420P, SizeRule::Any,
     RateRule::Mpeg2Rates},
    {AV_CODEC_ID_MPEG1VIDEO, "mpeg1video", "MPEG-1 encoder", AV_PIX_FMT_YUV420P, SizeRule::Any,
     RateRule::Mpeg1Rates},
    {AV_CODEC_ID_DVVIDEO, "dvvideo", "DV encoder", AV_PIX_FMT_YUV411P, SizeRule::DvProfiles,
     RateRule::Any},
    {AV_CODEC_ID_RV20, "rv20", "RV20 encoder", AV_PIX_FMT_YUV420P, SizeRule::MultipleOfFour,
     RateRule::Any},
    {AV_CODEC_ID_MJPEG, "mjpeg", "MJPEG encoder", AV_PIX_FMT_YUVJ422P, SizeRule::Any,
     RateRule::Any},
    {AV_CODEC_ID_MSMPEG4V3, "msmpeg4", "MS-MPEG4v3 encoder", AV_PIX_FMT_YUV420P, SizeRule::Any,
     RateRule::Any},
    {AV_CODEC_ID_H264, "libx264", "H.264 encoder", AV_PIX_FMT_YUV420P, SizeRule::EvenSize,
     RateRule::Any},
}};

const VideoEncoderEntry& ByEncoderName(std::string_view name) {
  for (const VideoEncoderEntry& entry : kEncoders) {
    if (name == entry.encoderName) return entry;
  }
  FailConversion("no video encoder " + std::string(name));
}

// The two texts the codec table lacks or maps to a shared id name their encoder directly.
const VideoEncoderEntry& Resolve(const VideoTarget& target) {
  if (target.codecName == "XVID") return ByEncoderName("libxvid");
  if (target.codecName == "MSMPEG4V3") return ByEncoderName("msmpeg4");
  int codecId = target.codecId;
  if (!target.codecName.empty()) {
    const std::optional<int> named = VideoCodecIdFromName(target.codecName);
    if (!named) FailConversion("no encoder for video codec " + target.codecName);
    codecId = *named;
  }
  for (const VideoEncoderEntry& entry : kEncoders) {
    if (entry.codecId == codecId) return entry;  // MPEG-4 by id is FFmpeg's own encoder
  }
  FailConversion(std::string("no encoder for video codec ") +
                 avcodec_get_name(static_cast<AVCodecID>(codecId)));
}

struct FrameSize {
  int width, height;
};
constexpr std::array<FrameSize, 5> kH263Sizes{
    {{128, 96}, {176, 144}, {352, 288}, {704, 576}, {1408, 1152}}};

struct DvProfile {
  FrameSize size;
  AVRational timeBase;
  const char* rate;
};
// The DV profiles a 4:1:1 picture selects; the size decides, and the rate has to match it.
constexpr std::array<DvProfile, 2> kDvProfiles{
    {{{720, 480}, {1001, 30000}, "29.97"}, {{720, 576}, {1, 25}, "25"}}};

// MPEG-1 and MPEG-2 code the frame rate as an index into this table; MPEG-2 may multiply the
// entry by n/d (n 1..4, d 1..32), as FFmpeg's encoder searches it.
constexpr std::array<AVRational, 8> kMpegFrameRates{
    {{24000, 1001}, {24, 1}, {25, 1}, {30000, 1001}, {30, 1}, {50, 1}, {60000, 1001}, {60, 1}}};

bool MpegCodesRate(AVRational rate, bool withExtension) {
  for (const AVRational base : kMpegFrameRates) {
    if (av_cmp_q(rate, base) == 0) return true;
    if (!withExtension) continue;
    for (int n = 1; n <= 4; ++n) {
      for (int d = 1; d <= 32; ++d) {
        if (av_cmp_q(rate, av_mul_q(base, AVRational{n, d})) == 0) return true;
      }
    }
  }
  return false;
}

std::string SizeText(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

VideoEncoderChoice::VideoEncoderChoice(const VideoTarget& target, AVRational timeBase,
                                       const OutputFormat& format, int sourceWidth,
                                       int sourceHeight)
    : entry_(&Resolve(target)), label_(entry_->label), target_(target), timeBase_(timeBase) {
  codec_ = avcodec_find_encoder_by_name(entry_->encoderName);
  if (codec_ == nullptr) FailConversion(label_ + ": not available in this FFmpeg");
  CheckContainer(format);
  if (timeBase_.num <= 0 || timeBase_.den <= 0) {
    FailConversion(label_ + ": the source's frame rate is unknown");
  }
  if (target_.width == 0 && target_.height == 0) TakeSourceSize(sourceWidth, sourceHeight);
  CheckSize(target_.width, target_.height);
  CheckRate(target.frameRate > 0.0 ? target.frameRate : av_q2d(av_inv_q(timeBase_)));
  if (target.bitRate <= 0 && entry_->codecId != AV_CODEC_ID_DVVIDEO) {
    FailConversion(label_ + ": no bit rate");
  }
}

AVPixelFormat VideoEncoderChoice::pixelFormat() const { return entry_->pixelFormat; }

// A row that keeps the source's size should not fail for an odd pixel: the size is cut to the
// encoder's rule. The fixed-size encoders (H.263, DV) are left to refuse it with their sizes.
void VideoEncoderChoice::TakeSourceSize(int width, int height) {
  const int evenWidth = width - width % 2, evenHeight = height - height % 2;
  switch (entry_->size) {
    case SizeRule::EvenWidth:
      width = evenWidth;
      break;
    case SizeRule::EvenSize:
      width = evenWidth;
      height = evenHeight;
      break;
    case SizeRule::MultipleOfFour:
      width -= width % 4;
      height -= height % 4;
      break;
    default:
      break;
  }
  target_.width = width;
  target_.height = height;
}

void VideoEncoderChoice::CheckSize(int width, int height) const {
  const std::string refused = label_ + ": frame size " + SizeText(width, height) + " not supported";
  if (width <= 0 || height <= 0) FailConversion(refused);
  switch (entry_->size) {
    case SizeRule::Any:
      return;
    case SizeRule::EvenWidth:
      if (width % 2 != 0) FailConversion(refused + " (the width must be even)");
      return;
    case SizeRule::EvenSize:
      if (width % 2 != 0 || height % 2 != 0) {
        FailConversion(refused + " (width and height must be even)");
      }
      return;
    case SizeRule::MultipleOfFour:
      if (width % 4 != 0 || height % 4 != 0) {
        FailConversion(refused + " (width and height must be multiples of 4)");
      }
      return;
    case SizeRule::H263Sizes: {
      std::string sizes;
      for (const FrameSize& size : kH263Sizes) {
        if (size.width == width && size.height == height) return;
        sizes += (sizes.empty() ? "" : ", ") + SizeText(size.width, size.height);
      }
      FailConversion(refused + " (" + sizes + ")");
    }
    case SizeRule::DvProfiles: {
      std::string profiles;
      for (const DvProfile& profile : kDvProfiles) {
        if (profile.size.width == width && profile.size.height == height) {
          if (av_cmp_q(profile.timeBase, timeBase_) == 0) return;
          FailConversion(
              label_ + ": frame rate " + FramesPerSecondText(av_q2d(av_inv_q(timeBase_))) +
              " fps not supported at " + SizeText(width, height) + " (" + profile.rate + " fps)");
        }
        profiles += std::string(profiles.empty() ? "" : ", ") +
                    SizeText(profile.size.width, profile.size.height) + " at " + profile.rate +
                    " fps";
      }
      FailConversion(refused + " (" + profiles + ")");
    }
  }
}

void VideoEncoderChoice::CheckRate(double shownRate) const {
  bool supported = true;
  switch (entry_->rate) {
    case RateRule::Any:
      break;
    case RateRule::Mpeg1Rates:
      supported = MpegCodesRate(av_inv_q(timeBase_), false);
      break;
    case RateRule::Mpeg2Rates:
      supported = MpegCodesRate(av_inv_q(timeBase_), true);
      break;
    case RateRule::Mpeg4TimeBase:
      supported = timeBase_.den <= 65535;
      break;
  }
  if (!supported) {
    FailConversion(label_ + ": frame rate " + FramesPerSecondText(shownRate) +
                   " fps not supported");
  }
}

// The format lists the settings' codec texts it takes; two texts may name one encoder ("DivX"
// and "MSMPEG4V3"), so the encoders are compared.
void VideoEncoderChoice::CheckContainer(const OutputFormat& format) const {
  for (std::string_view text : format.videoEncoders) {
    VideoTarget named;
    named.codecName = std::string(text);
    if (&Resolve(named) == entry_) return;
  }
  const std::string codec = label_.substr(0, label_.rfind(" encoder"));
  FailConversion(codec + " video cannot be stored in the " + std::string(format.muxer) + " format");
}

void VideoEncoderChoice::Configure(AVCodecContext& context, int keyframeInterval,
                                   bool globalHeader) const {
  context.bit_rate = target_.bitRate;
  context.width = target_.width;
  context.height = target_.height;
  context.time_base = timeBase_;
  context.framerate = av_inv_q(timeBase_);
  // A decoder that does not know its stream's keyframe interval reports FFmpeg's default, 12.
  if (keyframeInterval > 0) context.gop_size = keyframeInterval;
  context.pix_fmt = entry_->pixelFormat;
  // Pictures are the costly part of a video conversion: the encoder may use every core (slice
  // or frame threads, as each encoder has them).
  context.thread_count = kEveryCoreThreadCount;
  context.max_b_frames = 0;
  if (entry_->codecId == AV_CODEC_ID_MPEG1VIDEO) context.mb_decision = FF_MB_DECISION_RD;
  if (globalHeader) context.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if (entry_->codecId == AV_CODEC_ID_H264) {
    context.me_range = 16;
    context.max_qdiff = 4;
    context.qmin = 10;
    context.qmax = 51;
    context.qcompress = 0.6f;
    context.keyint_min = 25;
  }
}

}  // namespace varnell

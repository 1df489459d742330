#include "engine/AudioEncoderChoice.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "engine/AudioContainers.h"
#include "engine/ConversionFailure.h"

namespace varnell {
namespace {

// Opus codes everything at 48000 Hz inside; a rate its encoder does not take is given that.
constexpr int kOpusFallbackRate = 48000;
// WMA's encoder has no rate list but refuses what lies above this.
constexpr int kWmaHighestRate = 48000;

// The MP2 encoder takes only the bit rates of its frame headers; MPEG-1 at 32 kHz and above,
// MPEG-2's lower rates below.
constexpr std::array<int, 14> kMpeg1LayerTwoRates{32000,  48000,  56000,  64000,  80000,
                                                  96000,  112000, 128000, 160000, 192000,
                                                  224000, 256000, 320000, 384000};
constexpr std::array<int, 14> kMpeg2LayerTwoRates{8000,   16000,  24000,  32000, 40000,
                                                  48000,  56000,  64000,  80000, 96000,
                                                  112000, 128000, 144000, 160000};

const AudioEncoder& ChooseEncoder(int codecId) {
  const AudioEncoder* encoder = AudioEncoderOf(codecId);
  if (encoder == nullptr) {
    FailConversion(std::string("no encoder for audio codec ") +
                   avcodec_get_name(static_cast<AVCodecID>(codecId)));
  }
  return *encoder;
}

bool IsWma(int codecId) { return codecId == AV_CODEC_ID_WMAV1 || codecId == AV_CODEC_ID_WMAV2; }

// The encoders that code more than stereo, 5.1 at most, in FFmpeg's default layout for the count.
int MaximumChannels(int codecId) {
  switch (codecId) {
    case AV_CODEC_ID_AAC:
    case AV_CODEC_ID_AC3:
    case AV_CODEC_ID_ALAC:
    case AV_CODEC_ID_FLAC:
    case AV_CODEC_ID_OPUS:
    case AV_CODEC_ID_VORBIS:
    case AV_CODEC_ID_PCM_S16LE:
    case AV_CODEC_ID_PCM_S16BE:
      return 6;
    default:
      return 2;
  }
}

struct QualityScale {
  int lowest;
  int highest;
  double step;  // the encoder's own quality (FFmpeg's -q:a) per level
};

// Which encoders code by quality, over which levels. FFmpeg's native AAC encoder takes 0.1 to 2
// as sensible qualities; the five levels spread over them.
std::optional<QualityScale> QualityScaleOf(int codecId) {
  switch (codecId) {
    case AV_CODEC_ID_MP3:
      return QualityScale{0, 9, 1.0};  // LAME's V0 to V9
    case AV_CODEC_ID_VORBIS:
      return QualityScale{0, 10, 1.0};
    case AV_CODEC_ID_AAC:
      return QualityScale{1, 5, 0.4};
    default:
      return std::nullopt;
  }
}

bool Lists(const AVSampleFormat* formats, AVSampleFormat wanted) {
  for (const AVSampleFormat* f = formats; *f != AV_SAMPLE_FMT_NONE; ++f) {
    if (*f == wanted) return true;
  }
  return false;
}

bool TakesRate(const AVCodec* codec, int rate) {
  if (codec->supported_samplerates == nullptr) return true;
  for (const int* r = codec->supported_samplerates; *r != 0; ++r) {
    if (*r == rate) return true;
  }
  return false;
}

}  // namespace

AudioEncoderChoice::AudioEncoderChoice(const AudioTarget& target, SourceAudioFormat source,
                                       const OutputFormat& format)
    : encoder_(&ChooseEncoder(target.codecId)), label_(encoder_->label), target_(target) {
  deep_ = encoder_->lossless && source.deepLossless;
  const std::string_view name =
      deep_ && !encoder_->deepFfmpegName.empty() ? encoder_->deepFfmpegName : encoder_->ffmpegName;
  codec_ = avcodec_find_encoder_by_name(std::string(name).c_str());
  if (codec_ == nullptr) FailConversion(label_ + ": not available in this FFmpeg");
  CheckChannels();
  sampleRate_ = ChooseRate();
  CheckRate();
  CheckRateControl();
  if (const auto refusal = AudioContainerRefusal(target.codecId, format)) FailConversion(*refusal);
  sampleFormat_ = ChooseSampleFormat(source.decoded);
}

void AudioEncoderChoice::CheckChannels() const {
  if (target_.channels < 1 || target_.channels > MaximumChannels(target_.codecId)) {
    FailConversion(label_ + ": " + std::to_string(target_.channels) + " channels not supported");
  }
}

int AudioEncoderChoice::ChooseRate() const {
  if (target_.codecId == AV_CODEC_ID_OPUS && !TakesRate(codec_, target_.sampleRate)) {
    return kOpusFallbackRate;
  }
  return target_.sampleRate;
}

void AudioEncoderChoice::CheckRate() const {
  if (sampleRate_ <= 0 || !TakesRate(codec_, sampleRate_) ||
      (IsWma(target_.codecId) && sampleRate_ > kWmaHighestRate)) {
    FailConversion(label_ + ": sample rate " + std::to_string(target_.sampleRate) +
                   " Hz not supported");
  }
}

// A lossless encoder has no bit rate; a quality replaces it where the encoder codes by one.
void AudioEncoderChoice::CheckRateControl() const {
  if (target_.codecId == AV_CODEC_ID_FLAC &&
      (target_.compressionLevel < -1 || target_.compressionLevel > 12)) {
    FailConversion(label_ + ": compression level " + std::to_string(target_.compressionLevel) +
                   " not supported (0 to 12)");
  }
  if (encoder_->lossless) return;
  const std::optional<QualityScale> scale = QualityScaleOf(target_.codecId);
  if (scale && target_.vbrQuality >= 0) {
    if (target_.vbrQuality < scale->lowest || target_.vbrQuality > scale->highest) {
      FailConversion(label_ + ": quality " + std::to_string(target_.vbrQuality) +
                     " not supported (" + std::to_string(scale->lowest) + " to " +
                     std::to_string(scale->highest) + ")");
    }
    return;
  }
  if (IsWma(target_.codecId) && target_.bitRate < 24000)
    FailConversion(label_ + ": bit rate too low");
  if (target_.bitRate <= 0) FailConversion(label_ + ": no bit rate");
}

// Lossless: 16 bits, or 32-bit samples for a deep source (the one format with that many bytes in
// the encoder's list). Lossy: the decoder's own format when the encoder takes it, else float.
AVSampleFormat AudioEncoderChoice::ChooseSampleFormat(AVSampleFormat decoded) const {
  const AVSampleFormat* formats = codec_->sample_fmts;
  if (formats == nullptr) FailConversion(label_ + ": no sample format");
  if (encoder_->lossless) {
    const int bytes = deep_ ? 4 : 2;
    for (const AVSampleFormat* f = formats; *f != AV_SAMPLE_FMT_NONE; ++f) {
      if (av_get_bytes_per_sample(*f) == bytes) return *f;
    }
    return formats[0];
  }
  if (decoded != AV_SAMPLE_FMT_NONE && Lists(formats, decoded)) return decoded;
  for (AVSampleFormat floating : {AV_SAMPLE_FMT_FLTP, AV_SAMPLE_FMT_FLT}) {
    if (Lists(formats, floating)) return floating;
  }
  return formats[0];
}

// The nearest bit rate the MP2 encoder takes, as LAME and the AC-3 encoder find their own.
int AudioEncoderChoice::Mp2BitRate() const {
  const auto& rates = sampleRate_ >= 32000 ? kMpeg1LayerTwoRates : kMpeg2LayerTwoRates;
  int best = rates.front();
  for (const int rate : rates) {
    if (std::abs(rate - target_.bitRate) < std::abs(best - target_.bitRate)) best = rate;
  }
  return best;
}

void AudioEncoderChoice::Configure(AVCodecContext& context, bool globalHeader) const {
  context.sample_rate = sampleRate_;
  av_channel_layout_default(&context.ch_layout, target_.channels);
  context.sample_fmt = sampleFormat_;
  context.time_base = AVRational{1, sampleRate_};
  // FLAC and ALAC code a deep source's 24 bits, which its 32-bit samples carry at the top.
  if (deep_ && (target_.codecId == AV_CODEC_ID_FLAC || target_.codecId == AV_CODEC_ID_ALAC)) {
    context.bits_per_raw_sample = 24;
  }
  const std::optional<QualityScale> scale = QualityScaleOf(target_.codecId);
  if (encoder_->lossless) {
    context.bit_rate = 0;
  } else if (scale && target_.vbrQuality >= 0) {
    context.flags |= AV_CODEC_FLAG_QSCALE;
    context.global_quality =
        static_cast<int>(std::lround(FF_QP2LAMBDA * scale->step * target_.vbrQuality));
  } else {
    context.bit_rate = target_.codecId == AV_CODEC_ID_MP2 ? Mp2BitRate() : target_.bitRate;
  }
  if (target_.codecId == AV_CODEC_ID_FLAC && target_.compressionLevel >= 0) {
    context.compression_level = target_.compressionLevel;
  }
  if (globalHeader) context.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
}

}  // namespace varnell

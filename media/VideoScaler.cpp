#include "media/VideoScaler.h"

extern "C" {
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include <cstdint>
#include <utility>

namespace varnell {
namespace {

struct SourceFormat {
  AVPixelFormat format;
  bool fullRange;
};

// The JPEG ("J") formats are the full-range variants of the plain YUV formats; swscale wants
// the plain format plus the range.
SourceFormat Normalise(const AVFrame& picture) {
  const auto format = static_cast<AVPixelFormat>(picture.format);
  switch (format) {
    case AV_PIX_FMT_YUVJ420P:
      return {AV_PIX_FMT_YUV420P, true};
    case AV_PIX_FMT_YUVJ422P:
      return {AV_PIX_FMT_YUV422P, true};
    case AV_PIX_FMT_YUVJ444P:
      return {AV_PIX_FMT_YUV444P, true};
    case AV_PIX_FMT_YUVJ440P:
      return {AV_PIX_FMT_YUV440P, true};
    case AV_PIX_FMT_YUVJ411P:
      return {AV_PIX_FMT_YUV411P, true};
    default:
      return {format, picture.color_range == AVCOL_RANGE_JPEG};
  }
}

int MatrixOf(const AVFrame& picture) {
  switch (picture.colorspace) {
    case AVCOL_SPC_BT709:
      return SWS_CS_ITU709;
    case AVCOL_SPC_FCC:
      return SWS_CS_FCC;
    case AVCOL_SPC_SMPTE240M:
      return SWS_CS_SMPTE240M;
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL:
      return SWS_CS_BT2020;
    default:
      return SWS_CS_ITU601;
  }
}

// The source's range is given before the context is built: given afterwards, swscale keeps the
// plain copy it chose between pictures of the same size and format, and the range stays as it
// was. The output's range is its format's.
ffmpeg::ScalerPtr NewScaler(const AVFrame& source, const SourceFormat& normalised, int width,
                            int height, AVPixelFormat format) {
  ffmpeg::ScalerPtr scaler(sws_alloc_context());
  if (!scaler) return nullptr;
  const std::pair<const char*, std::int64_t> options[] = {
      {"srcw", source.width},
      {"srch", source.height},
      {"src_format", normalised.format},
      {"dstw", width},
      {"dsth", height},
      {"dst_format", format},
      {"sws_flags", SWS_BICUBIC},
      {"src_range", normalised.fullRange ? 1 : 0},
  };
  for (const auto& [name, value] : options) {
    if (av_opt_set_int(scaler.get(), name, value, 0) < 0) return nullptr;
  }
  if (sws_init_context(scaler.get(), nullptr, nullptr) < 0) return nullptr;
  return scaler;
}

// A YUV source is read with its own matrix. The output's matrix is the same one: a different one
// would make swscale convert between matrices, and the output picture keeps the source's tag.
int ApplySourceMatrix(SwsContext* scaler, const AVFrame& source, const SourceFormat& normalised) {
  const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(normalised.format);
  if (descriptor == nullptr) return AVERROR(EINVAL);
  if ((descriptor->flags & AV_PIX_FMT_FLAG_RGB) != 0) return 0;
  int* sourceTable = nullptr;
  int* outputTable = nullptr;
  int sourceRange = 0, outputRange = 0, brightness = 0, contrast = 0, saturation = 0;
  if (sws_getColorspaceDetails(scaler, &sourceTable, &sourceRange, &outputTable, &outputRange,
                               &brightness, &contrast, &saturation) < 0) {
    return AVERROR(EINVAL);
  }
  const int* coefficients = sws_getCoefficients(MatrixOf(source));
  if (sws_setColorspaceDetails(scaler, coefficients, sourceRange, coefficients, outputRange,
                               brightness, contrast, saturation) < 0) {
    return AVERROR(EINVAL);
  }
  return 0;
}

}  // namespace

VideoScaler::VideoScaler(int width, int height, AVPixelFormat format)
    : width_(width), height_(height), format_(format) {}

int VideoScaler::Scale(const AVFrame& source, const AVFrame** out) {
  if (source.width != sourceWidth_ || source.height != sourceHeight_ ||
      source.format != sourceFormat_ || source.color_range != sourceRange_ ||
      source.colorspace != sourceMatrix_ || !scaler_) {
    if (const int configured = ConfigureFor(source); configured < 0) return configured;
  }
  // The encoder may still hold a reference to the previous picture; writing into it would
  // change a frame it has not encoded yet.
  if (const int writable = av_frame_make_writable(picture_.get()); writable < 0) return writable;
  const int scaled = sws_scale(scaler_.get(), source.data, source.linesize, 0, source.height,
                               picture_->data, picture_->linesize);
  if (scaled < 0) return scaled;
  if (scaled != height_) return AVERROR_EXTERNAL;
  if (const int copied = av_frame_copy_props(picture_.get(), &source); copied < 0) return copied;
  // The copied properties describe the source's picture; the output's own stay.
  picture_->sample_aspect_ratio = AVRational{0, 1};
  picture_->color_range = AVCOL_RANGE_UNSPECIFIED;
  *out = picture_.get();
  return 0;
}

int VideoScaler::ConfigureFor(const AVFrame& source) {
  if (source.width <= 0 || source.height <= 0 || source.format < 0) return AVERROR(EINVAL);
  const SourceFormat normalised = Normalise(source);
  ffmpeg::ScalerPtr scaler = NewScaler(source, normalised, width_, height_, format_);
  if (!scaler) return AVERROR(EINVAL);
  if (const int matrix = ApplySourceMatrix(scaler.get(), source, normalised); matrix < 0) {
    return matrix;
  }
  if (!picture_) {
    ffmpeg::FramePtr picture(av_frame_alloc());
    if (!picture) return AVERROR(ENOMEM);
    picture->width = width_;
    picture->height = height_;
    picture->format = format_;
    if (const int allocated = av_frame_get_buffer(picture.get(), 0); allocated < 0)
      return allocated;
    picture_ = std::move(picture);
  }
  scaler_ = std::move(scaler);
  sourceWidth_ = source.width;
  sourceHeight_ = source.height;
  sourceFormat_ = source.format;
  sourceRange_ = source.color_range;
  sourceMatrix_ = source.colorspace;
  return 0;
}

}  // namespace varnell

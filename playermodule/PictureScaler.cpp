#include "playermodule/PictureScaler.h"

#include <algorithm>

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace varnell::player {
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
    case AV_PIX_FMT_YUVJ420P: return {AV_PIX_FMT_YUV420P, true};
    case AV_PIX_FMT_YUVJ422P: return {AV_PIX_FMT_YUV422P, true};
    case AV_PIX_FMT_YUVJ444P: return {AV_PIX_FMT_YUV444P, true};
    case AV_PIX_FMT_YUVJ440P: return {AV_PIX_FMT_YUV440P, true};
    case AV_PIX_FMT_YUVJ411P: return {AV_PIX_FMT_YUV411P, true};
    default: return {format, picture.color_range == AVCOL_RANGE_JPEG};
  }
}

int ColourSpaceOf(const AVFrame& picture) {
  switch (picture.colorspace) {
    case AVCOL_SPC_BT709: return SWS_CS_ITU709;
    case AVCOL_SPC_FCC: return SWS_CS_FCC;
    case AVCOL_SPC_SMPTE240M: return SWS_CS_SMPTE240M;
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL: return SWS_CS_BT2020;
    default: return SWS_CS_ITU601;
  }
}

}  // namespace

bool PictureScaler::convert(const AVFrame& picture, unsigned char* bitmap, int width, int height) {
  if (picture.width <= 0 || picture.height <= 0 || width <= 0 || height <= 0) {
    return false;
  }
  const SourceFormat source = Normalise(picture);
  SwsContext* scaler = sws_getCachedContext(scaler_.release(), picture.width, picture.height, source.format,
                                            width, height, AV_PIX_FMT_BGR24, SWS_BICUBIC, nullptr, nullptr,
                                            nullptr);
  scaler_.reset(scaler);
  if (!scaler_) {
    return false;
  }
  const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(source.format);
  if (descriptor == nullptr) {
    return false;
  }
  if ((descriptor->flags & AV_PIX_FMT_FLAG_RGB) == 0) {
    const int* coefficients = sws_getCoefficients(ColourSpaceOf(picture));
    // Brightness, contrast and saturation stay neutral (16.16 fixed point).
    if (sws_setColorspaceDetails(scaler, coefficients, source.fullRange ? 1 : 0, coefficients, 1, 0, 1 << 16,
                                 1 << 16) < 0) {
      return false;
    }
  }
  const int rowBytes = width * 3;
  topDown_.resize(static_cast<std::size_t>(rowBytes) * height);
  uint8_t* destination[4] = {topDown_.data(), nullptr, nullptr, nullptr};
  const int destinationStride[4] = {rowBytes, 0, 0, 0};
  if (sws_scale(scaler, picture.data, picture.linesize, 0, picture.height, destination, destinationStride) !=
      height) {
    return false;
  }
  for (int row = 0; row < height; ++row) {
    std::copy_n(topDown_.data() + static_cast<std::ptrdiff_t>(row) * rowBytes, rowBytes,
                bitmap + static_cast<std::ptrdiff_t>(height - 1 - row) * rowBytes);
  }
  return true;
}

}  // namespace varnell::player

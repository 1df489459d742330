#include "media/PictureRotator.h"

#include <cmath>
#include <cstdint>
#include <utility>

extern "C" {
#include <libavutil/display.h>
}

namespace varnell {
namespace {

constexpr AVPixelFormat kTurnFormat = AV_PIX_FMT_YUV444P;
constexpr int kPlanes = 3;

// Where the pixel at (x, y) of the turned picture comes from in a source of width x height.
std::pair<int, int> SourcePixel(int quarterTurns, int x, int y, int width, int height) {
  switch (quarterTurns) {
    case 1:
      return {y, height - 1 - x};
    case 2:
      return {width - 1 - x, height - 1 - y};
    default:
      return {width - 1 - y, x};
  }
}

}  // namespace

int PictureRotator::QuarterTurnsOf(const AVStream& stream) {
  size_t size = 0;
  const std::uint8_t* data = av_stream_get_side_data(&stream, AV_PKT_DATA_DISPLAYMATRIX, &size);
  if (data == nullptr || size < 9 * sizeof(std::int32_t)) return 0;
  // The matrix's angle is counter-clockwise; NaN for a matrix that is no rotation at all.
  const double counterClockwise =
      av_display_rotation_get(reinterpret_cast<const std::int32_t*>(data));
  if (!std::isfinite(counterClockwise)) return 0;
  const double quarters = -counterClockwise / 90.0;
  const long rounded = std::lround(quarters);
  if (std::fabs(quarters - static_cast<double>(rounded)) > 0.01) return 0;
  return static_cast<int>(((rounded % 4) + 4) % 4);
}

int PictureRotator::Rotate(const AVFrame& source, const AVFrame** out) {
  if (const int prepared = PrepareFor(source); prepared < 0) return prepared;
  const AVFrame* planar = nullptr;
  if (const int scaled = planar_->Scale(source, &planar); scaled < 0) return scaled;
  // The encoder may still hold a reference to the previous picture.
  if (const int writable = av_frame_make_writable(turned_.get()); writable < 0) return writable;
  for (int plane = 0; plane < kPlanes; ++plane) {
    const std::uint8_t* from = planar->data[plane];
    const int fromStride = planar->linesize[plane];
    for (int y = 0; y < turned_->height; ++y) {
      std::uint8_t* row =
          turned_->data[plane] + static_cast<std::ptrdiff_t>(y) * turned_->linesize[plane];
      for (int x = 0; x < turned_->width; ++x) {
        const auto [sx, sy] = SourcePixel(quarterTurns_, x, y, source.width, source.height);
        row[x] = from[static_cast<std::ptrdiff_t>(sy) * fromStride + sx];
      }
    }
  }
  // The planar picture's properties: its range is the one the scaler gave it, not the source's.
  if (const int copied = av_frame_copy_props(turned_.get(), planar); copied < 0) return copied;
  turned_->sample_aspect_ratio = quarterTurns_ % 2 == 1 ? AVRational{source.sample_aspect_ratio.den,
                                                                     source.sample_aspect_ratio.num}
                                                        : source.sample_aspect_ratio;
  *out = turned_.get();
  return 0;
}

// The 4:4:4 scaler and the turned picture follow the source's size.
int PictureRotator::PrepareFor(const AVFrame& source) {
  if (planar_ && planar_->width() == source.width && planar_->height() == source.height) return 0;
  if (source.width <= 0 || source.height <= 0) return AVERROR(EINVAL);
  const bool sideways = quarterTurns_ % 2 == 1;
  ffmpeg::FramePtr turned(av_frame_alloc());
  if (!turned) return AVERROR(ENOMEM);
  turned->width = sideways ? source.height : source.width;
  turned->height = sideways ? source.width : source.height;
  turned->format = kTurnFormat;
  if (const int allocated = av_frame_get_buffer(turned.get(), 0); allocated < 0) return allocated;
  turned_ = std::move(turned);
  planar_.emplace(source.width, source.height, kTurnFormat);
  return 0;
}

}  // namespace varnell

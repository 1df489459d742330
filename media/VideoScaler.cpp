#include "media/VideoScaler.h"

namespace varnell {

VideoScaler::VideoScaler(int width, int height, AVPixelFormat format)
    : width_(width), height_(height), format_(format) {}

int VideoScaler::Scale(const AVFrame& source, const AVFrame** out) {
  if (source.width != sourceWidth_ || source.height != sourceHeight_ ||
      source.format != sourceFormat_ || !scaler_) {
    if (const int configured = ConfigureFor(source); configured < 0) return configured;
  }
  // The encoder may still hold a reference to the previous picture; writing into it would
  // change a frame it has not encoded yet.
  if (const int writable = av_frame_make_writable(picture_.get()); writable < 0) return writable;
  const int scaled = sws_scale(scaler_.get(), source.data, source.linesize, 0, source.height,
                               picture_->data, picture_->linesize);
  if (scaled < 0) return scaled;
  if (const int copied = av_frame_copy_props(picture_.get(), &source); copied < 0) return copied;
  // The copied properties describe the source's picture; the output's own stay.
  picture_->sample_aspect_ratio = AVRational{0, 1};
  picture_->color_range = AVCOL_RANGE_UNSPECIFIED;
  *out = picture_.get();
  return 0;
}

int VideoScaler::ConfigureFor(const AVFrame& source) {
  if (source.width <= 0 || source.height <= 0 || source.format < 0) return AVERROR(EINVAL);
  ffmpeg::ScalerPtr scaler(
      sws_getContext(source.width, source.height, static_cast<AVPixelFormat>(source.format), width_,
                     height_, format_, SWS_BICUBIC, nullptr, nullptr, nullptr));
  if (!scaler) return AVERROR(EINVAL);
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
  return 0;
}

}  // namespace varnell

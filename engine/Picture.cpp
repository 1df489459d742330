#include "engine/Picture.h"

namespace varnell {

ffmpeg::FramePtr AllocPicture(AVPixelFormat format, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  ffmpeg::FramePtr picture(av_frame_alloc());
  if (!picture) return nullptr;
  picture->format = format;
  picture->width = width;
  picture->height = height;
  if (av_frame_get_buffer(picture.get(), 0) < 0) return nullptr;
  return picture;
}

}  // namespace varnell

#include "media/AttachedPicture.h"

#include "media/StreamDecoder.h"

namespace varnell {

bool AttachedPictureDecodes(const AVStream& picture) {
  if (picture.attached_pic.size <= 0) return false;
  StreamDecoder decoder;
  if (decoder.Open(picture) < 0) return false;
  ffmpeg::FramePtr frame(av_frame_alloc());
  if (!frame) return false;
  // One packet, then the end: a decoder that holds the picture back gives it when drained.
  if (decoder.Send(&picture.attached_pic) < 0 || decoder.Send(nullptr) < 0) return false;
  for (;;) {
    const int received = decoder.Receive(frame.get());
    if (received < 0) return false;
    if (frame->width > 0 && frame->height > 0) return true;
    av_frame_unref(frame.get());
  }
}

}  // namespace varnell

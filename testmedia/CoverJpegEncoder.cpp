#include "testmedia/CoverJpegEncoder.h"

#include <algorithm>

#include "media/FFmpegHandles.h"
#include "testmedia/FfmpegError.h"

namespace varnell::testmedia {
namespace {

void PaintGradient(AVFrame& frame) {
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      frame.data[0][y * frame.linesize[0] + x] =
          static_cast<uint8_t>((x * 255) / std::max(1, frame.width - 1));
    }
  }
  // yuvj420p: chroma planes are half size, rounded up.
  for (int y = 0; y < (frame.height + 1) / 2; ++y) {
    for (int x = 0; x < (frame.width + 1) / 2; ++x) {
      frame.data[1][y * frame.linesize[1] + x] =
          static_cast<uint8_t>((y * 511) / std::max(1, frame.height));
      frame.data[2][y * frame.linesize[2] + x] =
          static_cast<uint8_t>(255 - (x * 511) / std::max(1, frame.width));
    }
  }
}

}  // namespace

bool EncodeCoverJpeg(int width, int height, std::vector<unsigned char>& jpeg, std::string* error) {
  if (width <= 0 || height <= 0) {
    return Fail(error, "cover size must be positive");
  }
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
  if (codec == nullptr) {
    return Fail(error, "mjpeg encoder not available");
  }
  ffmpeg::CodecContextPtr encoder(avcodec_alloc_context3(codec));
  ffmpeg::FramePtr frame(av_frame_alloc());
  ffmpeg::PacketPtr packet(av_packet_alloc());
  if (!encoder || !frame || !packet) {
    return Fail(error, "out of memory allocating the cover encoder");
  }
  encoder->width = width;
  encoder->height = height;
  encoder->pix_fmt = AV_PIX_FMT_YUVJ420P;
  encoder->time_base = AVRational{1, 25};
  int rc = avcodec_open2(encoder.get(), codec, nullptr);
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("opening the mjpeg encoder", rc));
  }
  frame->format = encoder->pix_fmt;
  frame->width = width;
  frame->height = height;
  rc = av_frame_get_buffer(frame.get(), 0);
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("allocating the cover frame", rc));
  }
  PaintGradient(*frame);
  frame->pts = 0;
  rc = avcodec_send_frame(encoder.get(), frame.get());
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("sending the cover to the encoder", rc));
  }
  rc = avcodec_receive_packet(encoder.get(), packet.get());
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("receiving the cover JPEG", rc));
  }
  jpeg.assign(packet->data, packet->data + packet->size);
  return true;
}

}  // namespace varnell::testmedia

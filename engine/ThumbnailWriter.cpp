#include "engine/ThumbnailWriter.h"

#include <unistd.h>

#include <cerrno>

#include "engine/ConversionFailure.h"
#include "media/VideoScaler.h"

namespace varnell {
namespace {

constexpr const char* kStep = "thumbnail";
// A fixed fine quantiser: a small picture, so the quality costs a few kilobytes at most.
constexpr int kJpegQuantiser = 3;

void WriteAll(int descriptor, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) FailConversion("cannot write thumbnail", AVERROR(errno));
    done += static_cast<std::size_t>(written);
  }
}

}  // namespace

std::string ThumbnailWriter::SidePath(const std::string& outputPath) {
  const std::size_t slash = outputPath.rfind('/');
  const std::size_t dot = outputPath.rfind('.');
  const bool hasExtension =
      dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  return (hasExtension ? outputPath.substr(0, dot) : outputPath) + ".THM";
}

void ThumbnailWriter::Take(const AVFrame& picture) {
  if (taken_) return;
  taken_ = true;
  try {
    jpeg_ = EncodeJpeg(picture);
  } catch (const ConversionFailure& failure) {
    failure_ = failure.what();
  }
}

std::string ThumbnailWriter::EncodeJpeg(const AVFrame& picture) const {
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
  if (codec == nullptr) FailConversion("thumbnail: no JPEG encoder in this FFmpeg");
  ffmpeg::CodecContextPtr context(avcodec_alloc_context3(codec));
  ffmpeg::PacketPtr packet(av_packet_alloc());
  if (!context || !packet) FailConversion(kStep, AVERROR(ENOMEM));
  context->width = kWidth;
  context->height = kHeight;
  context->pix_fmt = AV_PIX_FMT_YUVJ420P;
  context->time_base = AVRational{1, 25};
  context->flags |= AV_CODEC_FLAG_QSCALE;
  context->global_quality = FF_QP2LAMBDA * kJpegQuantiser;
  RequireSuccess(avcodec_open2(context.get(), codec, nullptr), kStep);

  VideoScaler scaler(kWidth, kHeight, context->pix_fmt);
  const AVFrame* small = nullptr;
  RequireSuccess(scaler.Scale(picture, &small), kStep);
  ffmpeg::FramePtr frame(av_frame_clone(small));
  if (!frame) FailConversion(kStep, AVERROR(ENOMEM));
  frame->pts = 0;
  frame->quality = context->global_quality;
  frame->pict_type = AV_PICTURE_TYPE_NONE;
  RequireSuccess(avcodec_send_frame(context.get(), frame.get()), kStep);
  RequireSuccess(avcodec_send_frame(context.get(), nullptr), kStep);
  std::string jpeg;
  for (;;) {
    const int received = avcodec_receive_packet(context.get(), packet.get());
    if (received == AVERROR_EOF) break;
    RequireSuccess(received, kStep);
    jpeg.append(reinterpret_cast<const char*>(packet->data),
                static_cast<std::size_t>(packet->size));
    av_packet_unref(packet.get());
  }
  if (jpeg.empty()) FailConversion("thumbnail: the JPEG encoder gave no picture");
  return jpeg;
}

std::unique_ptr<ClaimedOutputFile> ThumbnailWriter::WriteSideFile(const std::string& outputPath) {
  if (jpeg_.empty()) return nullptr;
  try {
    auto file = std::make_unique<ClaimedOutputFile>(SidePath(outputPath));
    WriteAll(file->descriptor(), jpeg_);
    return file;
  } catch (const ConversionFailure& failure) {
    failure_ = failure.what();
    return nullptr;
  }
}

void ThumbnailWriter::PublishWith(ClaimedOutputFile& output) {
  const std::unique_ptr<ClaimedOutputFile> side = WriteSideFile(output.requestedPath());
  const int attempt = output.Publish(-1, side.get());
  if (!side) return;
  try {
    // Taken by another program since the output was named, the side file gets the next free name.
    side->Publish(attempt);
    path_ = side->path();
  } catch (const ConversionFailure& failure) {
    failure_ = failure.what();
  }
}

}  // namespace varnell

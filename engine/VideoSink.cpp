#include "engine/VideoSink.h"

#include "engine/ConversionFailure.h"
#include "engine/OutputFile.h"
#include "engine/VideoTimeBase.h"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace varnell {
namespace {

// The largest term MPEG-4 part 2, H.263+ and the MPEG-1/2 tables can code for a pixel aspect.
constexpr int kLargestAspectTerm = 255;

}  // namespace

AVRational KeptSampleAspectRatio(const VideoSourceFacts& source, int width, int height) {
  AVRational pixel = source.sampleAspectRatio;
  if (pixel.num <= 0 || pixel.den <= 0) pixel = AVRational{1, 1};
  if (source.width <= 0 || source.height <= 0) return AVRational{1, 1};
  // display aspect = width x pixel aspect / height, the same before and after scaling
  AVRational kept{};
  av_reduce(&kept.num, &kept.den, static_cast<std::int64_t>(source.width) * pixel.num * height,
            static_cast<std::int64_t>(source.height) * pixel.den * width, kLargestAspectTerm);
  return kept;
}

VideoSink::VideoSink(const VideoTarget& target, const VideoSourceFacts& source, OutputFile& output)
    : output_(output) {
  const VideoEncoderChoice choice(
      target, VideoTimeBase(target.frameRate, source.frameRate, output.muxerName()),
      output.format(), source.width, source.height);
  label_ = choice.label();
  context_.reset(avcodec_alloc_context3(choice.codec()));
  if (!context_) FailConversion(label_, AVERROR(ENOMEM));
  choice.Configure(*context_, source.keyframeInterval, output.needsGlobalHeader());
  context_->sample_aspect_ratio = KeptSampleAspectRatio(source, choice.width(), choice.height());
  RequireSuccess(avcodec_open2(context_.get(), choice.codec(), nullptr), label_);

  frame_.reset(av_frame_alloc());
  packet_.reset(av_packet_alloc());
  if (!frame_ || !packet_) FailConversion(label_, AVERROR(ENOMEM));
  AVStream* stream = output.AddStream(context_.get());
  stream->sample_aspect_ratio = context_->sample_aspect_ratio;
  stream->avg_frame_rate = context_->framerate;
  stream->r_frame_rate = context_->framerate;
  stream_ = stream;
}

void VideoSink::Write(const AVFrame& picture) {
  if (picture.width != context_->width || picture.height != context_->height ||
      picture.format != context_->pix_fmt) {
    FailConversion(label_ + ": picture not scaled to the output size");
  }
  RequireSuccess(av_frame_ref(frame_.get(), &picture), label_);
  frame_->pts = nextFrame_++;
  frame_->pict_type = AV_PICTURE_TYPE_NONE;  // the encoder decides where keyframes go
  frame_->sample_aspect_ratio = context_->sample_aspect_ratio;
  Send(frame_.get());
  av_frame_unref(frame_.get());
}

void VideoSink::WriteBlackPicture() {
  ffmpeg::FramePtr black(av_frame_alloc());
  if (!black) FailConversion(label_, AVERROR(ENOMEM));
  black->width = context_->width;
  black->height = context_->height;
  black->format = context_->pix_fmt;
  RequireSuccess(av_frame_get_buffer(black.get(), 0), label_);
  std::ptrdiff_t linesizes[4];
  for (int plane = 0; plane < 4; ++plane) linesizes[plane] = black->linesize[plane];
  RequireSuccess(av_image_fill_black(black->data, linesizes, context_->pix_fmt,
                                     context_->color_range, black->width, black->height),
                 label_);
  Write(*black);
}

void VideoSink::LeaveGap(std::int64_t frames) {
  if (frames > 0) nextFrame_ += frames;
}

void VideoSink::Flush() {
  if (flushed_) return;
  flushed_ = true;
  Send(nullptr);
}

void VideoSink::Send(const AVFrame* frame) {
  try {
    Encode(frame);
  } catch (...) {
    failed_ = true;
    throw;
  }
}

void VideoSink::Encode(const AVFrame* frame) {
  const int sent = avcodec_send_frame(context_.get(), frame);
  if (sent < 0 && !(frame == nullptr && sent == AVERROR_EOF)) FailConversion(label_, sent);
  for (;;) {
    const int received = avcodec_receive_packet(context_.get(), packet_.get());
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
    RequireSuccess(received, label_);
    // Each packet holds one frame; the muxer needs that to give the last frame its length.
    if (packet_->duration <= 0) packet_->duration = 1;
    output_.WritePacket(packet_.get(), context_->time_base, *stream_);
  }
}

}  // namespace varnell

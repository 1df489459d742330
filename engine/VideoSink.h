// The video end of a conversion: the encoder of one output stream and the running count of
// frames written at the target rate. Timestamps come from that count, never from a source, so
// the stream lasts exactly as many frames as went in, from one reader or from several in turn
// (a merge), and the muxer gets strictly increasing timestamps. Flushed once, at the end of the
// output. Owned and used by the worker thread of its file.
#pragma once

#include <cstdint>
#include <string>

#include "engine/VideoEncoderChoice.h"
#include "engine/VideoTarget.h"
#include "media/FFmpegHandles.h"

namespace varnell {

class OutputFile;

// What the sink takes from the source it is built for.
struct VideoSourceFacts {
  AVRational frameRate{0, 1};          // r_frame_rate: the rate 0 and "rm" keep
  AVRational sampleAspectRatio{0, 1};  // {0, 1}: square pixels
  int width = 0;
  int height = 0;
  int keyframeInterval = 0;  // the source decoder's gop_size
};

class VideoSink {
 public:
  // Checks the target against its encoder (VideoEncoderChoice), opens the encoder and adds the
  // sink's stream to `output` (before its Start()). Throws ConversionFailure with a readable
  // reason, before anything is written, when the target cannot be encoded.
  VideoSink(const VideoTarget& target, const VideoSourceFacts& source, OutputFile& output);

  // What a reader must scale to before writing here.
  int width() const { return context_->width; }
  int height() const { return context_->height; }
  AVPixelFormat pixelFormat() const { return context_->pix_fmt; }
  AVRational frameRate() const { return av_inv_q(context_->time_base); }
  const std::string& label() const { return label_; }

  // Encodes one picture (the sink's size and format) as the next frame.
  void Write(const AVFrame& picture);
  // Leaves `frames` frames without a picture: the stream goes on that much later (a source
  // whose video starts after its audio keeps its offset).
  void LeaveGap(std::int64_t frames);
  // Encodes a black picture as the next frame: what a stream shows before its first source
  // picture where the container cannot start with a gap (AVI counts frames from its first).
  void WriteBlackPicture();
  // Frames written or left so far; their time at the target rate is the stream's position.
  std::int64_t framesWritten() const { return nextFrame_; }
  double secondsWritten() const { return nextFrame_ * av_q2d(context_->time_base); }
  // True once encoding or writing failed: the output must not be finished then. A reader's own
  // failure leaves it false.
  bool failed() const { return failed_; }
  // Drains the encoder; later calls do nothing.
  void Flush();

 private:
  void Send(const AVFrame* frame);
  void Encode(const AVFrame* frame);

  OutputFile& output_;
  const AVStream* stream_ = nullptr;
  std::string label_;
  ffmpeg::CodecContextPtr context_;
  ffmpeg::FramePtr frame_;
  ffmpeg::PacketPtr packet_;
  std::int64_t nextFrame_ = 0;
  bool flushed_ = false;
  bool failed_ = false;
};

// The pixel shape that keeps the source's display aspect in a picture of width x height;
// {1, 1} for square-pixel sources scaled to their own shape.
AVRational KeptSampleAspectRatio(const VideoSourceFacts& source, int width, int height);

}  // namespace varnell

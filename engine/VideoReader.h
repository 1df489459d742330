// The video source end of a conversion: one source file, the decoder of its video stream (never
// an attached picture: covers are not video), the clip window, and the chain each kept picture
// goes through on its way to the sink: frame-rate reduction, turning upright by the stream's
// display matrix, then the scaler to the sink's size and format. It reads the source through a
// demuxer of its own, beside the audio reader's, so the worker can step both in the order that
// keeps the output interleaved. Owned and used by the worker thread of its file.
//
// Rotation: the pixels are turned rather than the output tagged. Most preset containers (AVI,
// ASF, FLV, MPEG, RM) have no place for a display matrix, a preset's size is meant for an
// upright picture, and the thumbnail has no matrix either. An output stream is built from its
// encoder, never copied, so it carries no matrix that would turn the pictures a second time.
//
// Positions: the first picture written is the one shown at the clip's begin (the last frame
// that starts at or before it); a video that starts later than the clip's begin (a source whose
// video begins after its audio) starts as much later in the output. The clip ends after its
// length: the reader delivers that many frames at the sink's rate, gaps included. Frames go to
// the slots FrameRateReducer gives them, so the video keeps its source's timing at any rate.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "engine/AudioReader.h"
#include "engine/FrameRateReducer.h"
#include "engine/PacketStepper.h"
#include "engine/VideoSink.h"
#include "media/PictureRotator.h"
#include "media/SourceFile.h"
#include "media/StreamDecoder.h"
#include "media/VideoScaler.h"

namespace varnell {

class ThumbnailWriter;

class VideoReader {
 public:
  // Opens the source and its video decoder. Throws ConversionFailure with the row's reason;
  // "no video stream" when the source has none (a cover picture does not count).
  VideoReader(const std::string& sourcePath, ClipWindow clip);

  const SourceFile& source() const { return source_; }
  const AVStream& stream() const { return *stream_; }
  double windowSeconds() const { return WindowSecondsOf(source_, clip_); }
  // What a sink is built from: the source's rate (r_frame_rate, rates above 1000 fps read as
  // N/1001), pixel shape, size and keyframe interval; size and shape of the upright picture.
  VideoSourceFacts facts() const;

  // Builds the reducer and the scaler for the sink and seeks to the clip's begin. Once, before
  // Step. A thumbnail, when given, gets the first picture written.
  void ConnectTo(const VideoSink& sink, ThumbnailWriter* thumbnail = nullptr);
  // Reads one packet and writes what it decodes into the sink. At the end of the window or of
  // the source, drains the decoder and returns false; later calls do nothing.
  bool Step(VideoSink& sink);
  // Throws when the window delivered no picture at all, saying why.
  void CheckSomethingDelivered() const;
  // Throws when the source was read to its end but its video fell short of what it states. For
  // a source without sound: where there is sound, the audio reader tells.
  void CheckReadToItsEnd() const;

 private:
  static constexpr std::int64_t kUnbounded = std::numeric_limits<std::int64_t>::max();

  void Finish(VideoSink& sink);
  bool BudgetReached() const { return delivered_ >= budget_; }
  void Decode(const AVPacket* packet, VideoSink& sink);
  void Accept(AVFrame& frame, VideoSink& sink);
  std::int64_t TimestampOf(const AVFrame& frame);
  void Deliver(const AVFrame& frame, std::int64_t timestamp, VideoSink& sink);

  ClipWindow clip_;
  SourceFile source_;
  const AVStream* stream_ = nullptr;
  StreamDecoder decoder_;
  AVRational frameRate_{0, 1};
  std::optional<FrameRateReducer> reducer_;
  std::optional<PictureRotator> rotator_;  // none for a source shown as stored
  std::optional<VideoScaler> scaler_;
  ThumbnailWriter* thumbnail_ = nullptr;
  ffmpeg::FramePtr frame_;
  ffmpeg::FramePtr held_;  // the latest frame at or before the begin, until a later one comes
  std::int64_t heldTimestamp_ = 0;
  PacketStepper packets_;

  std::int64_t beginTimestamp_ = 0;  // the clip's begin, in the stream's time base
  std::int64_t lastTimestamp_ = AV_NOPTS_VALUE;
  // Where the time of the latest picture decoded ends.
  std::int64_t endTimestamp_ = AV_NOPTS_VALUE;
  std::int64_t frameTicks_ = 1;  // one source frame in the stream's time base
  AVRational sinkFrameTime_{0, 1};
  // Positions in frames at the sink's rate from the clip's begin: the first picture's slot (after
  // a late video's lead), the end of what was delivered (gaps included) and the clip's end.
  std::optional<std::int64_t> firstSlot_;
  std::int64_t delivered_ = 0;
  std::int64_t budget_ = kUnbounded;
  std::int64_t pictures_ = 0;
  std::int64_t decodedFrames_ = 0;
};

}  // namespace varnell

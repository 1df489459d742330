#include "engine/VideoReader.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/ConversionFailure.h"
#include "engine/StatedLength.h"
#include "engine/ThumbnailWriter.h"

namespace varnell {
namespace {

// Containers that give no useful rate for the stream (rates in the thousands are timestamps
// counted in milliseconds or ticks) are read as NTSC-style N/1001.
constexpr int kLargestPlausibleRate = 1000;

AVRational SourceFrameRate(const AVStream& stream) {
  AVRational rate = stream.r_frame_rate;
  if (rate.num <= 0 || rate.den <= 0) rate = stream.avg_frame_rate;
  if (rate.num <= 0 || rate.den <= 0) return AVRational{0, 1};
  if (rate.num / rate.den > kLargestPlausibleRate) rate.den = 1001;
  return rate;
}

}  // namespace

VideoReader::VideoReader(const std::string& sourcePath, ClipWindow clip) : clip_(clip) {
  if (const int result = source_.Open(sourcePath); result < 0) {
    FailConversion(source_.failedStep(), result);
  }
  stream_ = source_.stream(source_.videoStreamIndex());
  if (stream_ == nullptr) FailConversion("no video stream");
  if (const int result = decoder_.Open(*stream_, StreamDecoder::Threads::EveryCore); result < 0) {
    if (result == AVERROR_DECODER_NOT_FOUND) {
      FailConversion(std::string("no decoder for video codec ") +
                     avcodec_get_name(stream_->codecpar->codec_id));
    }
    FailConversion("cannot open video decoder", result);
  }
  frameRate_ = SourceFrameRate(*stream_);
  if (const int turns = PictureRotator::QuarterTurnsOf(*stream_); turns != 0) {
    rotator_.emplace(turns);
  }
  source_.ReadOnly({stream_->index});
}

VideoSourceFacts VideoReader::facts() const {
  VideoSourceFacts facts;
  facts.frameRate = frameRate_;
  facts.sampleAspectRatio = stream_->codecpar->sample_aspect_ratio;
  if (stream_->sample_aspect_ratio.num > 0) facts.sampleAspectRatio = stream_->sample_aspect_ratio;
  facts.width = stream_->codecpar->width;
  facts.height = stream_->codecpar->height;
  facts.keyframeInterval = decoder_.context()->gop_size;
  if (rotator_ && rotator_->quarterTurns() % 2 == 1) {
    std::swap(facts.width, facts.height);
    std::swap(facts.sampleAspectRatio.num, facts.sampleAspectRatio.den);
  }
  return facts;
}

void VideoReader::ConnectTo(const VideoSink& sink, ThumbnailWriter* thumbnail) {
  thumbnail_ = thumbnail;
  reducer_.emplace(frameRate_, sink.frameRate());
  scaler_.emplace(sink.width(), sink.height(), sink.pixelFormat());
  sinkFrameTime_ = av_inv_q(sink.frameRate());
  budget_ = std::isfinite(clip_.length)
                ? std::max<std::int64_t>(std::llround(clip_.length * av_q2d(sink.frameRate())), 0)
                : kUnbounded;
  if (frameRate_.num > 0) {
    frameTicks_ =
        std::max<std::int64_t>(av_rescale_q(1, av_inv_q(frameRate_), stream_->time_base), 1);
  }
  frame_.reset(av_frame_alloc());
  if (!frame_) FailConversion("out of memory", AVERROR(ENOMEM));

  // Times are measured from the start of the file, the origin the audio shares.
  const AVFormatContext& context = *source_.context();
  const std::int64_t origin = context.start_time != AV_NOPTS_VALUE ? context.start_time : 0;
  const std::int64_t begin =
      origin + static_cast<std::int64_t>(std::llround(clip_.begin * AV_TIME_BASE));
  beginTimestamp_ = av_rescale_q(begin, AV_TIME_BASE_Q, stream_->time_base);
  if (clip_.begin <= 0.0) return;
  // Backward to the keyframe at or before the begin; decoding from there rebuilds the picture
  // shown at the begin. A failed seek leaves the demuxer at the start, and decoding finds it.
  if (avformat_seek_file(source_.context(), stream_->index, INT64_MIN, beginTimestamp_,
                         beginTimestamp_, 0) >= 0) {
    decoder_.Flush();
  }
}

bool VideoReader::Step(VideoSink& sink) {
  return packets_.Step(
      source_, stream_->index, [this] { return BudgetReached(); },
      [&](const AVPacket* packet) { Decode(packet, sink); }, [&] { Finish(sink); });
}

void VideoReader::Finish(VideoSink& sink) {
  if (!BudgetReached()) Decode(nullptr, sink);
  // The source ends at or before the begin: its last picture is the one shown there, when the
  // begin is still within that picture's time.
  if (held_ && !BudgetReached() && heldTimestamp_ + frameTicks_ > beginTimestamp_) {
    Deliver(*held_, beginTimestamp_, sink);
  }
  held_.reset();
}

// A packet the decoder rejects is skipped; one damaged picture does not fail the file.
void VideoReader::Decode(const AVPacket* packet, VideoSink& sink) {
  if (decoder_.Send(packet) < 0 && packet != nullptr) return;
  while (!BudgetReached()) {
    const int received = decoder_.Receive(frame_.get());
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
    if (received < 0) continue;
    ++decodedFrames_;
    Accept(*frame_, sink);
    av_frame_unref(frame_.get());
  }
}

void VideoReader::Accept(AVFrame& frame, VideoSink& sink) {
  const std::int64_t timestamp = TimestampOf(frame);
  if (timestamp <= beginTimestamp_) {
    // Shown at the begin unless a later frame still starts at or before it.
    if (!held_) held_.reset(av_frame_alloc());
    if (!held_) FailConversion("out of memory", AVERROR(ENOMEM));
    av_frame_unref(held_.get());
    av_frame_move_ref(held_.get(), &frame);
    heldTimestamp_ = timestamp;
    return;
  }
  if (held_) {
    Deliver(*held_, beginTimestamp_, sink);
    held_.reset();
  }
  Deliver(frame, timestamp, sink);
}

// Decoders give presentation order; a frame without a timestamp follows the one before.
std::int64_t VideoReader::TimestampOf(const AVFrame& frame) {
  std::int64_t timestamp =
      frame.best_effort_timestamp != AV_NOPTS_VALUE ? frame.best_effort_timestamp : frame.pts;
  if (timestamp == AV_NOPTS_VALUE) {
    timestamp = lastTimestamp_ == AV_NOPTS_VALUE ? beginTimestamp_ : lastTimestamp_ + frameTicks_;
  }
  lastTimestamp_ = timestamp;
  if (endTimestamp_ == AV_NOPTS_VALUE || timestamp + frameTicks_ > endTimestamp_) {
    endTimestamp_ = timestamp + frameTicks_;
  }
  return timestamp;
}

void VideoReader::Deliver(const AVFrame& frame, std::int64_t timestamp, VideoSink& sink) {
  if (!firstSlot_) {
    // A video that starts after the begin starts as much later in the output.
    const std::int64_t lead =
        av_rescale_q(timestamp - beginTimestamp_, stream_->time_base, sinkFrameTime_);
    firstSlot_ = std::max<std::int64_t>(lead, 0);
  }
  const std::optional<std::int64_t> placed = reducer_->Place();
  if (!placed) return;
  const std::int64_t slot = *firstSlot_ + *placed;
  if (slot >= budget_) {
    delivered_ = budget_;
    return;
  }
  sink.LeaveGap(slot - delivered_);
  delivered_ = slot;
  const AVFrame* upright = &frame;
  if (rotator_) RequireSuccess(rotator_->Rotate(frame, &upright), "video rotation");
  if (thumbnail_ != nullptr) thumbnail_->Take(*upright);
  const AVFrame* scaled = nullptr;
  RequireSuccess(scaler_->Scale(*upright, &scaled), "video scaling");
  sink.Write(*scaled);
  ++delivered_;
  ++pictures_;
}

void VideoReader::CheckSomethingDelivered() const {
  if (pictures_ > 0) return;
  if (decodedFrames_ > 0) {
    FailConversion("nothing to convert: the clip starts after the end of the video");
  }
  FailConversion("no video could be decoded");
}

void VideoReader::CheckReadToItsEnd() const {
  if (BudgetReached() || endTimestamp_ == AV_NOPTS_VALUE) return;
  const std::int64_t start = stream_->start_time != AV_NOPTS_VALUE ? stream_->start_time : 0;
  const double end = static_cast<double>(endTimestamp_ - start) * av_q2d(stream_->time_base);
  CheckNotTruncated("video", end, StatedStreamSeconds(source_, *stream_));
  CheckNotDamaged(end, source_, *stream_);
}

}  // namespace varnell

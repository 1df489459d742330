#include "playermodule/DecodeWorker.h"

#include <algorithm>
#include <cmath>

namespace varnell::player {
namespace {

constexpr auto kDrainPoll = std::chrono::milliseconds(100);

}  // namespace

DecodeWorker::DecodeWorker(MediaFile& media, SampleQueue& queue, PictureTrack& pictures,
                           const Notifications& notifications, PlaybackOutcome& outcome,
                           double startSeconds)
    : media_(media),
      queue_(queue),
      pictures_(pictures),
      notifications_(notifications),
      outcome_(outcome),
      startSeconds_(startSeconds),
      converter_(queue.frameRate(), queue.channels()),
      frame_(av_frame_alloc()),
      latestVideoSeconds_(startSeconds),
      reportedSecond_(static_cast<int>(std::floor(startSeconds))),
      thread_([this](std::stop_token stop) { run(stop); }) {}

void DecodeWorker::run(std::stop_token stop) {
  PacketPtr packet(av_packet_alloc());
  if (!packet || !frame_) {
    return;
  }
  while (!stop.stop_requested()) {
    const int rc = av_read_frame(media_.format(), packet.get());
    if (rc == AVERROR(EAGAIN)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      continue;
    }
    if (rc < 0) {
      break;  // the end of the file, or a read error that ends it
    }
    const PacketUnref unref(packet.get());
    if (packet->stream_index == media_.audioStreamIndex()) {
      if (!decodeAudio(packet.get(), stop)) return;
    } else if (packet->stream_index == media_.videoStreamIndex()) {
      decodeVideo(packet.get());
      if (!media_.hasAudio() && !keepTimeWithSilence(latestVideoSeconds_, stop)) return;
    }
    reportWholeSeconds();
  }
  if (stop.stop_requested()) {
    return;
  }
  if (media_.hasAudio()) {
    converted_.clear();
    if (!decodeAudio(nullptr, stop) || !converter_.drain(converted_) || !pushConverted(stop))
      return;
  }
  if (media_.hasVideo()) {
    decodeVideo(nullptr);
  }
  if (!media_.hasAudio() && !keepTimeWithSilence(media_.durationSeconds(), stop)) {
    return;
  }
  outcome_.measuredEndSeconds.store(pushedEndSeconds());
  queue_.finish();
  if (!waitUntilHeard(stop)) {
    return;
  }
  reportWholeSeconds();
  outcome_.reachedEnd.store(true);
  notifications_.notifyEnd();
}

bool DecodeWorker::decodeAudio(const AVPacket* packet, std::stop_token& stop) {
  AVCodecContext* decoder = media_.audioDecoder();
  for (;;) {
    const int sent = avcodec_send_packet(decoder, packet);
    // A damaged packet is skipped; the sound goes on with the next one.
    const bool resend = sent == AVERROR(EAGAIN);
    int received = 0;
    // Receiving stops at EAGAIN (wants the next packet), EOF (flushed) or an error (skip the rest).
    while (avcodec_receive_frame(decoder, frame_.get()) == 0) {
      ++received;
      const bool pushed = placeAndPush(*frame_, stop);
      av_frame_unref(frame_.get());
      if (!pushed) return false;
    }
    if (!resend || received == 0) return true;
  }
}

bool DecodeWorker::placeAndPush(const AVFrame& frame, std::stop_token& stop) {
  int skip = 0;
  if (!placed_) {
    // After a seek the demuxer is somewhat before the start: drop what precedes it to the
    // sample, or fill with silence if the sound begins only after it.
    const double frameSeconds =
        media_.secondsOf(frame.best_effort_timestamp, media_.audioTimeBase());
    if (!std::isnan(frameSeconds) && frame.sample_rate > 0) {
      const long long early = std::llround((startSeconds_ - frameSeconds) * frame.sample_rate);
      if (early >= frame.nb_samples) {
        return true;
      }
      if (early < 0) {
        const double late = frameSeconds - startSeconds_;
        if (late <= std::max(1.0, media_.durationSeconds())) {
          const long long silence = std::llround(late * queue_.frameRate());
          if (!queue_.pushSilence(silence, stop)) return false;
          pushedFrames_ += silence;
        }
      } else {
        skip = static_cast<int>(early);
      }
    }
    placed_ = true;
  }
  converted_.clear();
  // A frame the resampler cannot take is left out rather than ending playback.
  if (!converter_.convert(frame, skip, converted_)) {
    return true;
  }
  return pushConverted(stop);
}

bool DecodeWorker::pushConverted(std::stop_token& stop) {
  const int frames = static_cast<int>(converted_.size() / queue_.channels());
  if (frames == 0) {
    return true;
  }
  if (!queue_.push(converted_.data(), frames, stop)) {
    return false;
  }
  pushedFrames_ += frames;
  return true;
}

void DecodeWorker::decodeVideo(const AVPacket* packet) {
  AVCodecContext* decoder = media_.videoDecoder();
  for (;;) {
    const bool resend = avcodec_send_packet(decoder, packet) == AVERROR(EAGAIN);
    int received = 0;
    while (avcodec_receive_frame(decoder, frame_.get()) == 0) {
      ++received;
      const double seconds =
          media_.secondsOf(frame_->best_effort_timestamp, media_.videoTimeBase());
      if (!std::isnan(seconds)) {
        latestVideoSeconds_ = seconds;
      }
      FramePtr picture(av_frame_alloc());
      if (picture) {
        av_frame_move_ref(picture.get(), frame_.get());
        pictures_.push(std::move(picture), latestVideoSeconds_);
      }
      av_frame_unref(frame_.get());
    }
    if (!resend || received == 0) return;
  }
}

bool DecodeWorker::keepTimeWithSilence(double untilSeconds, std::stop_token& stop) {
  const long long target = std::llround((untilSeconds - startSeconds_) * queue_.frameRate());
  if (target <= pushedFrames_) {
    return true;
  }
  if (!queue_.pushSilence(target - pushedFrames_, stop)) {
    return false;
  }
  pushedFrames_ = target;
  return true;
}

bool DecodeWorker::waitUntilHeard(std::stop_token& stop) {
  while (!queue_.waitUntilDrained(stop, kDrainPoll)) {
    if (stop.stop_requested()) {
      return false;
    }
    reportWholeSeconds();
  }
  return !stop.stop_requested();
}

void DecodeWorker::reportWholeSeconds() {
  const int second = static_cast<int>(std::floor(queue_.heardSeconds()));
  if (second != reportedSecond_) {
    reportedSecond_ = second;
    notifications_.notifySecond(second);
  }
}

double DecodeWorker::pushedEndSeconds() const {
  return startSeconds_ + static_cast<double>(pushedFrames_) / queue_.frameRate();
}

}  // namespace varnell::player

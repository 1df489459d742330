#include "playermodule/MediaFile.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "playermodule/AudibleEnd.h"

namespace varnell::player {
namespace {

// Lossy decoders need a little sound before the target to settle after a seek; the decoding
// thread drops what comes before it.
constexpr double kSeekPrerollSeconds = 0.3;

double Seconds(int64_t value, AVRational timeBase) {
  return static_cast<double>(value) * av_q2d(timeBase);
}

}  // namespace

std::unique_ptr<MediaFile> MediaFile::Open(const std::string& utf8Path) {
  std::unique_ptr<MediaFile> file(new MediaFile());
  if (file->source_.Open(utf8Path) < 0 || !file->openStreams()) {
    return nullptr;
  }
  if (file->hasAudio()) {
    const double measured =
        MeasureAudibleEndSeconds(utf8Path, file->audioStreamIndex(), file->durationSeconds_);
    if (measured > 0.0) {
      file->durationSeconds_ = measured;
    }
  }
  return file;
}

// The streams are the ones the conversion would take (media/StreamChoice.h).
bool MediaFile::openStreams() {
  AVFormatContext* format = source_.context();
  if (const AVStream* audio = source_.stream(source_.audioStreamIndex())) {
    if (audioDecoder_.Open(*audio) < 0) {
      return false;
    }
    audio_ = audio;
  }
  if (const AVStream* video = source_.stream(source_.videoStreamIndex())) {
    // A video that cannot be decoded leaves the file playable for its sound.
    video_ = videoDecoder_.Open(*video) == 0 ? video : nullptr;
  }
  if (video_ == nullptr) {
    if (const AVStream* cover = source_.stream(source_.coverStreamIndex())) {
      decodeCover(*cover);
    }
  }
  // The demuxer need not read what nobody decodes; the cover is already at hand.
  source_.ReadOnly({audioStreamIndex(), videoStreamIndex()});

  startSeconds_ =
      format->start_time != AV_NOPTS_VALUE ? Seconds(format->start_time, AV_TIME_BASE_Q) : 0.0;
  if (audio_ != nullptr && audio_->duration != AV_NOPTS_VALUE && audio_->duration > 0) {
    durationSeconds_ = Seconds(audio_->duration, audio_->time_base);
  } else if (format->duration != AV_NOPTS_VALUE && format->duration > 0) {
    durationSeconds_ = Seconds(format->duration, AV_TIME_BASE_Q);
  }
  // Without sound the player keeps time with silence, which needs a known length.
  return audio_ != nullptr || (video_ != nullptr && durationSeconds_ > 0.0);
}

void MediaFile::decodeCover(const AVStream& stream) {
  StreamDecoder decoder;
  FramePtr frame(av_frame_alloc());
  if (decoder.Open(stream) < 0 || !frame || stream.attached_pic.size <= 0) {
    return;
  }
  if (decoder.Send(&stream.attached_pic) < 0 || decoder.Send(nullptr) < 0) {
    return;
  }
  if (decoder.Receive(frame.get()) == 0 && frame->width > 0 && frame->height > 0) {
    cover_ = std::move(frame);
  }
}

int MediaFile::pictureWidth() const {
  if (cover_) return cover_->width;
  return videoDecoder_.isOpen() ? videoDecoder_.context()->width : 0;
}

int MediaFile::pictureHeight() const {
  if (cover_) return cover_->height;
  return videoDecoder_.isOpen() ? videoDecoder_.context()->height : 0;
}

double MediaFile::secondsOf(int64_t timestamp, AVRational timeBase) const {
  if (timestamp == AV_NOPTS_VALUE) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  return Seconds(timestamp, timeBase) - startSeconds_;
}

bool MediaFile::seek(double seconds) {
  const double from = std::max(0.0, seconds - kSeekPrerollSeconds);
  const int64_t target = std::llround((from + startSeconds_) * AV_TIME_BASE);
  int rc = avformat_seek_file(source_.context(), -1, std::numeric_limits<int64_t>::min(), target,
                              target, 0);
  if (rc < 0) {
    rc = av_seek_frame(source_.context(), -1, target, AVSEEK_FLAG_BACKWARD);
  }
  if (rc < 0) {
    return false;
  }
  if (audioDecoder_.isOpen()) audioDecoder_.Flush();
  if (videoDecoder_.isOpen()) videoDecoder_.Flush();
  return true;
}

}  // namespace varnell::player

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

CodecContextPtr OpenDecoder(const AVStream& stream) {
  const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
  if (codec == nullptr) {
    return nullptr;
  }
  CodecContextPtr decoder(avcodec_alloc_context3(codec));
  if (!decoder || avcodec_parameters_to_context(decoder.get(), stream.codecpar) < 0) {
    return nullptr;
  }
  decoder->pkt_timebase = stream.time_base;
  if (avcodec_open2(decoder.get(), codec, nullptr) < 0) {
    return nullptr;
  }
  return decoder;
}

double Seconds(int64_t value, AVRational timeBase) {
  return static_cast<double>(value) * av_q2d(timeBase);
}

}  // namespace

std::unique_ptr<MediaFile> MediaFile::Open(const std::string& utf8Path) {
  std::unique_ptr<MediaFile> file(new MediaFile());
  AVFormatContext* raw = nullptr;
  if (avformat_open_input(&raw, utf8Path.c_str(), nullptr, nullptr) < 0) {
    return nullptr;  // avformat_open_input frees the context itself on failure
  }
  file->format_.reset(raw);
  if (avformat_find_stream_info(raw, nullptr) < 0 || !file->openStreams()) {
    return nullptr;
  }
  if (file->hasAudio()) {
    const double measured = MeasureAudibleEndSeconds(utf8Path, file->audioStreamIndex(), file->durationSeconds_);
    if (measured > 0.0) {
      file->durationSeconds_ = measured;
    }
  }
  return file;
}

bool MediaFile::openStreams() {
  AVFormatContext* format = format_.get();
  const int audioIndex = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (audioIndex >= 0) {
    audio_ = format->streams[audioIndex];
    audioDecoder_ = OpenDecoder(*audio_);
    if (!audioDecoder_) {
      return false;
    }
  }
  const AVStream* coverStream = nullptr;
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    AVStream* stream = format->streams[i];
    if (stream->codecpar->codec_type != AVMEDIA_TYPE_VIDEO) {
      continue;
    }
    if ((stream->disposition & AV_DISPOSITION_ATTACHED_PIC) != 0) {
      coverStream = coverStream != nullptr ? coverStream : stream;
    } else if (video_ == nullptr) {
      // A video that cannot be decoded leaves the file playable for its sound.
      videoDecoder_ = OpenDecoder(*stream);
      video_ = videoDecoder_ ? stream : nullptr;
    }
  }
  if (video_ == nullptr && coverStream != nullptr) {
    decodeCover(*coverStream);
  }
  // The demuxer need not read what nobody decodes; the cover is already at hand.
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    if (format->streams[i] != audio_ && format->streams[i] != video_) {
      format->streams[i]->discard = AVDISCARD_ALL;
    }
  }

  startSeconds_ = format->start_time != AV_NOPTS_VALUE ? Seconds(format->start_time, AV_TIME_BASE_Q) : 0.0;
  if (audio_ != nullptr && audio_->duration != AV_NOPTS_VALUE && audio_->duration > 0) {
    durationSeconds_ = Seconds(audio_->duration, audio_->time_base);
  } else if (format->duration != AV_NOPTS_VALUE && format->duration > 0) {
    durationSeconds_ = Seconds(format->duration, AV_TIME_BASE_Q);
  }
  // Without sound the player keeps time with silence, which needs a known length.
  return audio_ != nullptr || (video_ != nullptr && durationSeconds_ > 0.0);
}

void MediaFile::decodeCover(const AVStream& stream) {
  CodecContextPtr decoder = OpenDecoder(stream);
  FramePtr frame(av_frame_alloc());
  if (!decoder || !frame || stream.attached_pic.size <= 0) {
    return;
  }
  if (avcodec_send_packet(decoder.get(), &stream.attached_pic) < 0 ||
      avcodec_send_packet(decoder.get(), nullptr) < 0) {
    return;
  }
  if (avcodec_receive_frame(decoder.get(), frame.get()) == 0 && frame->width > 0 && frame->height > 0) {
    cover_ = std::move(frame);
  }
}

int MediaFile::pictureWidth() const {
  if (cover_) return cover_->width;
  return videoDecoder_ ? videoDecoder_->width : 0;
}

int MediaFile::pictureHeight() const {
  if (cover_) return cover_->height;
  return videoDecoder_ ? videoDecoder_->height : 0;
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
  int rc = avformat_seek_file(format_.get(), -1, std::numeric_limits<int64_t>::min(), target, target, 0);
  if (rc < 0) {
    rc = av_seek_frame(format_.get(), -1, target, AVSEEK_FLAG_BACKWARD);
  }
  if (rc < 0) {
    return false;
  }
  if (audioDecoder_) avcodec_flush_buffers(audioDecoder_.get());
  if (videoDecoder_) avcodec_flush_buffers(videoDecoder_.get());
  return true;
}

}  // namespace varnell::player

#include "engine/AudioReader.h"

#include <algorithm>
#include <cmath>

#include "engine/AudioSink.h"
#include "engine/ConversionFailure.h"
#include "engine/StatedLength.h"

namespace varnell {
namespace {

// Decoding starts this far before a clip's begin, so that the first kept samples come out of a
// decoder that has warmed up (lossy decoders need the previous frame to rebuild the next).
constexpr double kSeekPrerollSeconds = 0.5;

std::int64_t SecondsToSamples(double seconds, int rate) {
  return static_cast<std::int64_t>(std::llround(seconds * rate));
}

}  // namespace

AudioReader::AudioReader(const std::string& sourcePath, ClipWindow clip) : clip_(clip) {
  if (const int result = source_.Open(sourcePath); result < 0) {
    FailConversion(source_.failedStep(), result);
  }
  stream_ = source_.stream(source_.audioStreamIndex());
  if (stream_ == nullptr) FailConversion("no audio stream");
  if (const int result = decoder_.Open(*stream_); result < 0) {
    if (result == AVERROR_DECODER_NOT_FOUND) {
      FailConversion(std::string("no decoder for audio codec ") +
                     avcodec_get_name(stream_->codecpar->codec_id));
    }
    FailConversion("cannot open audio decoder", result);
  }
  // Only the chosen audio stream is read; the demuxer may skip everything else.
  source_.ReadOnly({stream_->index});
}

// Only a lossless codec's bits are all the recording's own; a lossy decoder's float or 32-bit
// output says nothing about the depth that was recorded.
SourceAudioFormat AudioReader::format() const {
  const AVCodecContext& decoder = *decoder_.context();
  const AVCodecDescriptor* descriptor = avcodec_descriptor_get(decoder.codec_id);
  const bool lossless = descriptor != nullptr && (descriptor->props & AV_CODEC_PROP_LOSSLESS) != 0;
  const bool deep = decoder.bits_per_raw_sample > 16 || decoder.sample_fmt == AV_SAMPLE_FMT_S32 ||
                    decoder.sample_fmt == AV_SAMPLE_FMT_S32P;
  return {decoder.sample_fmt, lossless && deep};
}

// A clip whose end lies past the file's end runs to the file's end, so its progress does too.
double WindowSecondsOf(const SourceFile& source, ClipWindow clip) {
  const std::int64_t duration = source.context()->duration;
  if (duration <= 0) return std::isfinite(clip.length) ? clip.length : 0.0;
  return std::min(clip.length, std::max(duration / 1e6 - clip.begin, 0.0));
}

void AudioReader::ConnectTo(const AudioSink& sink) {
  resampler_.emplace(sink.channelLayout(), sink.sampleFormat(), sink.sampleRate());
  // The budget runs from the begin's sample to the end's, each rounded on its own as the next
  // clip rounds its begin: clips that meet (a file's chapters) neither overlap nor leave a gap.
  const int rate = sink.sampleRate();
  outputBudget_ = std::isfinite(clip_.length)
                      ? std::max<std::int64_t>(SecondsToSamples(clip_.begin + clip_.length, rate) -
                                                   SecondsToSamples(clip_.begin, rate),
                                               0)
                      : kUnbounded;
  frame_.reset(av_frame_alloc());
  if (!frame_) FailConversion("out of memory", AVERROR(ENOMEM));

  if (clip_.begin <= 0.0) return;
  const double target = std::max(clip_.begin - kSeekPrerollSeconds, 0.0);
  std::int64_t timestamp = static_cast<std::int64_t>(target * AV_TIME_BASE);
  if (source_.context()->start_time != AV_NOPTS_VALUE) timestamp += source_.context()->start_time;
  // A failed seek leaves the demuxer at the start; the begin is then found by decoding.
  if (avformat_seek_file(source_.context(), -1, INT64_MIN, timestamp, timestamp, 0) >= 0) {
    decoder_.Flush();
    seeked_ = true;
  }
}

bool AudioReader::Step(AudioSink& sink) {
  return packets_.Step(
      source_, stream_->index, [this] { return BudgetReached(); },
      [&](const AVPacket* packet) { Decode(packet, sink); }, [&] { Finish(sink); });
}

void AudioReader::Finish(AudioSink& sink) {
  if (!BudgetReached()) Decode(nullptr, sink);
  // What is left past a trusted end is the encoder's padding.
  heldFrames_.clear();
  heldSamples_ = 0;
  if (!BudgetReached()) {
    ConvertedAudio rest;
    RequireSuccess(resampler_->Drain(&rest), "audio conversion");
    Deliver(rest, sink);
  }
  CheckReadToItsEnd();
}

// A packet the decoder rejects is skipped; one bad packet does not fail the file.
void AudioReader::Decode(const AVPacket* packet, AudioSink& sink) {
  if (decoder_.Send(packet) < 0 && packet != nullptr) return;
  while (!BudgetReached()) {
    const int received = decoder_.Receive(frame_.get());
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
    if (received < 0) continue;
    Accept(*frame_, sink);
    av_frame_unref(frame_.get());
  }
}

void AudioReader::Accept(const AVFrame& frame, AudioSink& sink) {
  if (inputRate_ == 0) StartCounting(frame);
  largestFrame_ = std::max(largestFrame_, frame.nb_samples);
  const std::int64_t first = nextInputSample_;
  const std::int64_t last = first + frame.nb_samples;
  nextInputSample_ = last;
  const std::int64_t from = std::max(first, discardBefore_);
  const std::int64_t to = std::min(last, statedEnd_);
  if (to > from) Convert(frame, static_cast<int>(from - first), static_cast<int>(to - from), sink);
  const std::int64_t beyond = std::max(from, statedEnd_);
  if (beyond < last) HoldBeyondEnd(frame, static_cast<int>(beyond - first), sink);
}

// Fixes the input timeline on the first decoded frame. Without a seek the decoder starts at the
// stream's first sample (after any priming it trims itself); after a seek the frame's timestamp
// says where decoding resumed.
void AudioReader::StartCounting(const AVFrame& frame) {
  inputRate_ = frame.sample_rate;
  nextInputSample_ = 0;
  if (seeked_) {
    const std::int64_t ts =
        frame.best_effort_timestamp != AV_NOPTS_VALUE ? frame.best_effort_timestamp : frame.pts;
    if (ts != AV_NOPTS_VALUE) {
      const std::int64_t start = stream_->start_time != AV_NOPTS_VALUE ? stream_->start_time : 0;
      nextInputSample_ = av_rescale_q(ts - start, stream_->time_base, AVRational{1, inputRate_});
    }
  }
  discardBefore_ = SecondsToSamples(clip_.begin, inputRate_);
  // Containers that state the exact length (MP4's edit list) let the encoder padding at the end
  // of the source be cut off; an estimated length is not used for that.
  if (stream_->duration != AV_NOPTS_VALUE && stream_->duration > 0 &&
      source_.context()->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE) {
    statedEnd_ = av_rescale_q(stream_->duration, stream_->time_base, AVRational{1, inputRate_});
  }
}

// Padding is shorter than one codec frame. More audio than that past the stated end means the
// stated length is wrong (a damaged track header), and everything that decodes is converted.
void AudioReader::HoldBeyondEnd(const AVFrame& frame, int offset, AudioSink& sink) {
  ffmpeg::FramePtr held(av_frame_clone(&frame));
  if (!held) FailConversion("out of memory", AVERROR(ENOMEM));
  heldSamples_ += frame.nb_samples - offset;
  heldFrames_.push_back({std::move(held), offset});
  if (heldSamples_ > largestFrame_) DistrustStatedEnd(sink);
}

void AudioReader::DistrustStatedEnd(AudioSink& sink) {
  statedEnd_ = kUnbounded;
  while (!heldFrames_.empty() && !BudgetReached()) {
    const HeldFrame& held = heldFrames_.front();
    Convert(*held.frame, held.offset, held.frame->nb_samples - held.offset, sink);
    heldFrames_.pop_front();
  }
  heldFrames_.clear();
  heldSamples_ = 0;
}

void AudioReader::Convert(const AVFrame& frame, int offset, int count, AudioSink& sink) {
  ConvertedAudio audio;
  RequireSuccess(resampler_->Convert(frame, offset, count, &audio), "audio conversion");
  Deliver(audio, sink);
}

void AudioReader::Deliver(const ConvertedAudio& audio, AudioSink& sink) {
  const std::int64_t room = outputBudget_ - delivered_;
  const int samples = static_cast<int>(std::min<std::int64_t>(audio.samples, room));
  if (samples <= 0) return;
  sink.Write({audio.planes, samples});
  delivered_ += samples;
}

void AudioReader::CheckSomethingDelivered() const {
  if (delivered_ > 0) return;
  if (inputRate_ != 0 && nextInputSample_ <= discardBefore_) {
    FailConversion("nothing to convert: the clip starts after the end of the source");
  }
  FailConversion("no audio could be decoded");
}

// Only a window that ran to the end of the source says where its audio ends.
void AudioReader::CheckReadToItsEnd() const {
  if (BudgetReached() || inputRate_ == 0) return;
  const double end = static_cast<double>(nextInputSample_) / inputRate_;
  if (statedEnd_ != kUnbounded) {
    CheckNotTruncated("audio", end, static_cast<double>(statedEnd_) / inputRate_);
  }
  CheckNotDamaged(end, source_, *stream_);
}

}  // namespace varnell

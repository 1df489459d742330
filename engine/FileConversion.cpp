#include "engine/FileConversion.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "engine/AVConvert.h"
#include "engine/AudioEncoder.h"
#include "engine/AudioResampler.h"
#include "engine/ConversionFailure.h"
#include "engine/OutputFile.h"
#include "engine/SourceFile.h"
#include "engine/StreamDecoder.h"

namespace varnell {
namespace {

constexpr std::int64_t kUnbounded = std::numeric_limits<std::int64_t>::max();
// Decoding starts this far before a clip's begin, so that the first kept samples come out of a
// decoder that has warmed up (lossy decoders need the previous frame to rebuild the next).
constexpr double kSeekPrerollSeconds = 0.5;
// A source whose audio ends this much before its container says it should is truncated.
constexpr double kTruncationToleranceSeconds = 0.25;

std::int64_t SecondsToSamples(double seconds, int rate) {
  return static_cast<std::int64_t>(std::llround(seconds * rate));
}

// Converts one file in one pass. The position bookkeeping is in samples:
//  - input positions count decoded samples at the decoder's rate from the start of the stream;
//    samples before the clip's begin and after the stream's real end are dropped;
//  - the output budget counts samples at the encoder's rate and ends the clip exactly.
class FileConverter {
 public:
  FileConverter(const FileConversionRequest& request, const std::atomic<bool>& stopFlag,
                std::atomic<int>& percent)
      : request_(request), stopFlag_(stopFlag), percent_(percent) {}

  FileConversionResult Run() {
    OpenSource();
    if (request_.clipLength <= 0.0) FailConversion("nothing to convert: the clip ends where it starts");
    SetUpOutput();
    SeekToClipBegin();
    ConvertPackets();
    const bool stopped = stopFlag_.load();
    if (!stopped) CheckSomethingConverted();
    encoder_->Finish(*output_);
    output_->Finish();
    percent_ = 100;
    return {output_->path(), stopped};
  }

 private:
  void OpenSource() {
    if (const int result = source_.Open(request_.sourcePath); result < 0) {
      FailConversion(source_.failedStep(), result);
    }
    audioStream_ = source_.stream(source_.audioStreamIndex());
    if (audioStream_ == nullptr) FailConversion("no audio stream");
    if (const int result = decoder_.Open(audioStream_); result < 0) {
      if (result == AVERROR_DECODER_NOT_FOUND) {
        FailConversion(std::string("no decoder for audio codec ") +
                       avcodec_get_name(audioStream_->codecpar->codec_id));
      }
      FailConversion("cannot open audio decoder", result);
    }
    // Only the chosen audio stream is read; the demuxer may skip everything else.
    for (unsigned i = 0; i < source_.context()->nb_streams; ++i) {
      if (static_cast<int>(i) != audioStream_->index) {
        source_.context()->streams[i]->discard = AVDISCARD_ALL;
      }
    }
    const std::int64_t duration = source_.context()->duration;
    const double sourceSeconds = duration > 0 ? duration / 1e6 : 0.0;
    progressSeconds_ = std::isfinite(request_.clipLength)
                           ? request_.clipLength
                           : std::max(sourceSeconds - request_.clipBegin, 0.0);
  }

  void SetUpOutput() {
    output_.emplace(request_.outputPath);
    encoder_.emplace(request_.audio, decoder_.context()->sample_fmt, output_->needsGlobalHeader());
    output_->AddStream(encoder_->context());
    if (const AVStream* cover = source_.stream(source_.coverStreamIndex())) {
      output_->AddCoverPicture(cover);
    }
    output_->CopyTags(source_.context()->metadata);
    output_->CopyTags(audioStream_->metadata);
    resampler_.emplace(encoder_->channelLayout(), encoder_->sampleFormat(), encoder_->sampleRate());
    output_->Start();

    outputBudget_ = std::isfinite(request_.clipLength)
                        ? std::max<std::int64_t>(
                              SecondsToSamples(request_.clipLength, encoder_->sampleRate()), 0)
                        : kUnbounded;
    frame_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    if (!frame_ || !packet_) FailConversion("out of memory", AVERROR(ENOMEM));
  }

  void SeekToClipBegin() {
    if (request_.clipBegin <= 0.0) return;
    const double target = std::max(request_.clipBegin - kSeekPrerollSeconds, 0.0);
    std::int64_t timestamp = static_cast<std::int64_t>(target * AV_TIME_BASE);
    if (source_.context()->start_time != AV_NOPTS_VALUE) {
      timestamp += source_.context()->start_time;
    }
    // A failed seek leaves the demuxer at the start; the begin is then found by decoding.
    if (avformat_seek_file(source_.context(), -1, INT64_MIN, timestamp, timestamp, 0) >= 0) {
      decoder_.Flush();
      seeked_ = true;
    }
  }

  void ConvertPackets() {
    while (!InputDone()) {
      if (stopFlag_.load()) return;
      const int read = av_read_frame(source_.context(), packet_.get());
      if (read == AVERROR_EOF) break;
      if (read < 0) FailConversion("cannot read source", read);
      if (packet_->stream_index == audioStream_->index) Decode(packet_.get());
      av_packet_unref(packet_.get());
    }
    if (!InputDone()) Decode(nullptr);
    if (!BudgetReached()) Queue(resampler_->Drain());
    CheckNotTruncated();
  }

  bool BudgetReached() const { return outputQueued_ >= outputBudget_; }
  bool InputDone() const { return BudgetReached() || inputExhausted_; }

  // A packet the decoder rejects is skipped; one bad packet does not fail the file.
  void Decode(const AVPacket* packet) {
    if (decoder_.Send(packet) < 0 && packet != nullptr) return;
    while (!InputDone()) {
      const int received = decoder_.Receive(frame_.get());
      if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
      if (received < 0) continue;
      Accept(frame_.get());
      av_frame_unref(frame_.get());
    }
  }

  void Accept(const AVFrame* frame) {
    if (inputRate_ == 0) StartCounting(frame);
    const std::int64_t first = nextInputSample_;
    const std::int64_t last = first + frame->nb_samples;
    nextInputSample_ = last;
    const std::int64_t from = std::max(first, discardBefore_);
    const std::int64_t to = std::min(last, inputEnd_);
    if (last >= inputEnd_) inputExhausted_ = true;
    if (to <= from) return;
    Queue(resampler_->Convert(frame, static_cast<int>(from - first), static_cast<int>(to - from)));
  }

  // Fixes the input timeline on the first decoded frame. Without a seek the decoder starts at
  // the stream's first sample (after any priming it trims itself); after a seek the frame's
  // timestamp says where decoding resumed.
  void StartCounting(const AVFrame* frame) {
    inputRate_ = frame->sample_rate;
    nextInputSample_ = 0;
    if (seeked_) {
      const std::int64_t ts = frame->best_effort_timestamp != AV_NOPTS_VALUE
                                  ? frame->best_effort_timestamp
                                  : frame->pts;
      if (ts != AV_NOPTS_VALUE) {
        const std::int64_t start =
            audioStream_->start_time != AV_NOPTS_VALUE ? audioStream_->start_time : 0;
        nextInputSample_ = av_rescale_q(ts - start, audioStream_->time_base, AVRational{1, inputRate_});
      }
    }
    discardBefore_ = SecondsToSamples(request_.clipBegin, inputRate_);
    // Containers that know the exact length (MP4's edit list) let the encoder padding at the
    // end of the source be cut off; an estimated length is not trusted for that.
    if (audioStream_->duration != AV_NOPTS_VALUE && audioStream_->duration > 0 &&
        source_.context()->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE) {
      inputEnd_ = av_rescale_q(audioStream_->duration, audioStream_->time_base,
                               AVRational{1, inputRate_});
      exactLengthKnown_ = true;
    }
  }

  void Queue(ConvertedAudio audio) {
    const std::int64_t room = outputBudget_ - outputQueued_;
    const int samples = static_cast<int>(std::min<std::int64_t>(audio.samples, room));
    if (samples <= 0) return;
    encoder_->Write(audio.planes, samples, *output_);
    outputQueued_ += samples;
    UpdatePercent();
  }

  void UpdatePercent() {
    if (progressSeconds_ <= 0.0) return;
    const double seconds = static_cast<double>(outputQueued_) / encoder_->sampleRate();
    percent_ = static_cast<int>(std::min(seconds * 100.0 / progressSeconds_, 100.0));
  }

  void CheckSomethingConverted() const {
    if (outputQueued_ > 0) return;
    if (inputRate_ != 0 && nextInputSample_ <= discardBefore_) {
      FailConversion("nothing to convert: the clip starts after the end of the source");
    }
    FailConversion("no audio could be decoded");
  }

  void CheckNotTruncated() const {
    if (!exactLengthKnown_ || InputDone() || stopFlag_.load()) return;
    const std::int64_t tolerance = SecondsToSamples(kTruncationToleranceSeconds, inputRate_);
    if (nextInputSample_ + tolerance < inputEnd_) {
      FailConversion("source is truncated: its audio ends at " +
                     std::to_string(nextInputSample_ / inputRate_) + " s of " +
                     std::to_string(inputEnd_ / inputRate_) + " s");
    }
  }

  const FileConversionRequest& request_;
  const std::atomic<bool>& stopFlag_;
  std::atomic<int>& percent_;

  SourceFile source_;
  AVStream* audioStream_ = nullptr;
  StreamDecoder decoder_;
  // Destroyed before the source; an unfinished output removes its file.
  std::optional<OutputFile> output_;
  std::optional<AudioEncoder> encoder_;
  std::optional<AudioResampler> resampler_;
  ffmpeg::FramePtr frame_;
  ffmpeg::PacketPtr packet_;

  bool seeked_ = false;
  int inputRate_ = 0;
  std::int64_t nextInputSample_ = 0;
  std::int64_t discardBefore_ = 0;
  std::int64_t inputEnd_ = kUnbounded;
  bool exactLengthKnown_ = false;
  bool inputExhausted_ = false;
  std::int64_t outputBudget_ = kUnbounded;
  std::int64_t outputQueued_ = 0;
  double progressSeconds_ = 0.0;
};

}  // namespace

FileConversionResult ConvertFile(const FileConversionRequest& request,
                                 const std::atomic<bool>& stopFlag,
                                 std::atomic<int>& currentFilePercent) {
  FileConverter converter(request, stopFlag, currentFilePercent);
  return converter.Run();
}

}  // namespace varnell

#include "engine/AudioSink.h"

#include <algorithm>

#include "engine/AudioEncoderChoice.h"
#include "engine/ConversionFailure.h"
#include "engine/OutputFile.h"

namespace varnell {
namespace {

// Frame size for encoders that take any size (PCM).
constexpr int kVariableFrameSize = 1152;

}  // namespace

AudioSink::AudioSink(const AudioTarget& target, SourceAudioFormat source, OutputFile& output)
    : output_(output) {
  const AudioEncoderChoice choice(target, source, output.format());
  label_ = choice.label();
  context_.reset(avcodec_alloc_context3(choice.codec()));
  if (!context_) FailConversion(label_, AVERROR(ENOMEM));
  choice.Configure(*context_, output.needsGlobalHeader());
  RequireSuccess(avcodec_open2(context_.get(), choice.codec(), nullptr), label_);

  variableFrameSize_ = (choice.codec()->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) != 0;
  frameSize_ =
      context_->frame_size > 0 && !variableFrameSize_ ? context_->frame_size : kVariableFrameSize;

  const int channels = context_->ch_layout.nb_channels;
  fifo_.reset(av_audio_fifo_alloc(context_->sample_fmt, channels, frameSize_ * 4));
  frame_.reset(av_frame_alloc());
  packet_.reset(av_packet_alloc());
  if (!fifo_ || !frame_ || !packet_) FailConversion(label_, AVERROR(ENOMEM));
  frame_->format = context_->sample_fmt;
  frame_->sample_rate = context_->sample_rate;
  frame_->nb_samples = frameSize_;
  RequireSuccess(av_channel_layout_copy(&frame_->ch_layout, &context_->ch_layout), label_);
  RequireSuccess(av_frame_get_buffer(frame_.get(), 0), label_);
  output.CountMovieTimeIn(context_->sample_rate);
  stream_ = output.AddStream(context_.get());
}

void AudioSink::Write(const ConvertedAudio& audio) {
  if (audio.samples <= 0) return;
  // av_audio_fifo_write only reads the planes, whatever its signature says.
  auto** data = reinterpret_cast<void**>(const_cast<std::uint8_t**>(audio.planes));
  if (av_audio_fifo_write(fifo_.get(), data, audio.samples) < audio.samples) {
    failed_ = true;
    FailConversion(label_, AVERROR(ENOMEM));
  }
  samplesWritten_ += audio.samples;
  EncodeFramesOrMarkFailed(frameSize_, false);
}

void AudioSink::Flush() {
  if (flushed_) return;
  flushed_ = true;
  // The short last frame: FFmpeg pads it with silence for encoders that need whole frames, and
  // LAME records the padding in its header so that the file decodes to the exact length.
  EncodeFramesOrMarkFailed(1, true);
  ReportGaps();
}

// AAC codes whole frames after its priming: what its packets hold beyond the priming and the
// audio is padding. Players look for the gapless tag with AAC only.
void AudioSink::ReportGaps() {
  if (context_->codec_id != AV_CODEC_ID_AAC || context_->initial_padding <= 0) return;
  const std::int64_t coded = packetsWritten_ * frameSize_;
  const std::int64_t padding =
      std::max<std::int64_t>(coded - context_->initial_padding - samplesEncoded_, 0);
  output_.RecordAudioGaps({context_->initial_padding, padding, samplesEncoded_});
}

void AudioSink::EncodeFramesOrMarkFailed(int minimumQueued, bool flush) {
  try {
    EncodeFrames(minimumQueued);
    if (flush) Send(nullptr);
  } catch (...) {
    failed_ = true;
    throw;
  }
}

void AudioSink::EncodeFrames(int minimumQueued) {
  while (av_audio_fifo_size(fifo_.get()) >= minimumQueued && av_audio_fifo_size(fifo_.get()) > 0) {
    RequireSuccess(av_frame_make_writable(frame_.get()), label_);
    const int samples = std::min(frameSize_, av_audio_fifo_size(fifo_.get()));
    frame_->nb_samples = samples;
    if (av_audio_fifo_read(fifo_.get(), reinterpret_cast<void**>(frame_->data), samples) <
        samples) {
      FailConversion(label_, AVERROR_BUG);
    }
    frame_->pts = samplesEncoded_;
    samplesEncoded_ += samples;
    Send(frame_.get());
  }
}

void AudioSink::Send(const AVFrame* frame) {
  const int sent = avcodec_send_frame(context_.get(), frame);
  if (sent < 0 && !(frame == nullptr && sent == AVERROR_EOF)) {
    if (sent == AVERROR(EINVAL) && frame != nullptr) {
      FailConversion(label_ + ": cannot encode this audio at this bit rate");
    }
    FailConversion(label_, sent);
  }
  for (;;) {
    const int received = avcodec_receive_packet(context_.get(), packet_.get());
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
    RequireSuccess(received, label_);
    ++packetsWritten_;
    output_.WritePacket(packet_.get(), context_->time_base, *stream_);
  }
}

}  // namespace varnell

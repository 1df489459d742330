#include "engine/AudioSink.h"

#include <string_view>

#include "engine/AudioContainers.h"
#include "engine/ConversionFailure.h"
#include "engine/OutputFile.h"

namespace varnell {
namespace {

// Frame size for encoders that take any size.
constexpr int kVariableFrameSize = 1152;

const AudioEncoder& ChooseEncoder(int codecId) {
  const AudioEncoder* encoder = AudioEncoderOf(codecId);
  if (encoder == nullptr) {
    FailConversion(std::string("no encoder for audio codec ") +
                   avcodec_get_name(static_cast<AVCodecID>(codecId)));
  }
  return *encoder;
}

bool SupportsSampleRate(const AVCodec* codec, int rate) {
  if (codec->supported_samplerates == nullptr) return true;
  for (const int* r = codec->supported_samplerates; *r != 0; ++r) {
    if (*r == rate) return true;
  }
  return false;
}

AVSampleFormat ChooseSampleFormat(const AVCodec* codec, AVSampleFormat preferred) {
  if (codec->sample_fmts == nullptr) return preferred;
  for (const AVSampleFormat* f = codec->sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f) {
    if (*f == preferred) return preferred;
  }
  return codec->sample_fmts[0];
}

// FFmpeg's own checks, made first so that the row's reason says what is wrong in words.
void CheckTarget(const AudioTarget& target, const AVCodec* codec, const std::string& label) {
  const bool wma = target.codecId == AV_CODEC_ID_WMAV1 || target.codecId == AV_CODEC_ID_WMAV2;
  if (target.channels < 1 || target.channels > 2) {
    FailConversion(label + ": " + std::to_string(target.channels) + " channels not supported");
  }
  if (target.sampleRate <= 0 || !SupportsSampleRate(codec, target.sampleRate) ||
      (wma && target.sampleRate > 48000)) {
    FailConversion(label + ": sample rate " + std::to_string(target.sampleRate) +
                   " Hz not supported");
  }
  if (wma && target.bitRate < 24000) FailConversion(label + ": bit rate too low");
  if (target.bitRate <= 0) FailConversion(label + ": no bit rate");
}

void CheckContainer(int codecId, const OutputFormat& format) {
  if (const auto refusal = AudioContainerRefusal(codecId, format)) FailConversion(*refusal);
}

}  // namespace

AudioSink::AudioSink(const AudioTarget& target, AVSampleFormat preferredFormat, OutputFile& output)
    : output_(output) {
  const AudioEncoder& choice = ChooseEncoder(target.codecId);
  label_ = choice.label;
  const AVCodec* codec = avcodec_find_encoder_by_name(std::string(choice.ffmpegName).c_str());
  if (codec == nullptr) FailConversion(label_ + ": not available in this FFmpeg");
  CheckTarget(target, codec, label_);
  CheckContainer(target.codecId, output.format());

  context_.reset(avcodec_alloc_context3(codec));
  if (!context_) FailConversion(label_, AVERROR(ENOMEM));
  context_->bit_rate = target.bitRate;
  context_->sample_rate = target.sampleRate;
  av_channel_layout_default(&context_->ch_layout, target.channels);
  context_->sample_fmt = ChooseSampleFormat(codec, preferredFormat);
  context_->time_base = AVRational{1, target.sampleRate};
  if (output.needsGlobalHeader()) context_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  RequireSuccess(avcodec_open2(context_.get(), codec, nullptr), label_);

  const bool variable = (codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) != 0;
  frameSize_ = context_->frame_size > 0 && !variable ? context_->frame_size : kVariableFrameSize;

  fifo_.reset(av_audio_fifo_alloc(context_->sample_fmt, target.channels, frameSize_ * 4));
  frame_.reset(av_frame_alloc());
  packet_.reset(av_packet_alloc());
  if (!fifo_ || !frame_ || !packet_) FailConversion(label_, AVERROR(ENOMEM));
  frame_->format = context_->sample_fmt;
  frame_->sample_rate = target.sampleRate;
  frame_->nb_samples = frameSize_;
  RequireSuccess(av_channel_layout_copy(&frame_->ch_layout, &context_->ch_layout), label_);
  RequireSuccess(av_frame_get_buffer(frame_.get(), 0), label_);
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
    output_.WritePacket(packet_.get(), context_->time_base, *stream_);
  }
}

}  // namespace varnell

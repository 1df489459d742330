// The audio encoder of one output stream with the FIFO that cuts the decoded audio into the
// encoder's frame size. Timestamps come from the running count of samples sent, never from the
// source, so the output's length is exactly the audio that went in.
#pragma once

#include <cstdint>
#include <string>

#include "engine/AudioTarget.h"
#include "engine/FFmpegHandles.h"

namespace varnell {

class OutputFile;

class AudioEncoder {
 public:
  // Throws ConversionFailure with a readable reason when the target cannot be encoded.
  // preferredFormat is used when the encoder accepts it (saves a conversion).
  AudioEncoder(const AudioTarget& target, AVSampleFormat preferredFormat, bool globalHeader);

  AVCodecContext* context() const { return context_.get(); }
  AVSampleFormat sampleFormat() const { return context_->sample_fmt; }
  const AVChannelLayout& channelLayout() const { return context_->ch_layout; }
  int sampleRate() const { return context_->sample_rate; }

  // Queues `samples` samples (planes in the encoder's format) and encodes every whole frame.
  void Write(const std::uint8_t* const* planes, int samples, OutputFile& output);
  // Encodes what is left (a short last frame) and drains the encoder.
  void Finish(OutputFile& output);

 private:
  void EncodeFrames(int minimumQueued, OutputFile& output);
  void Send(const AVFrame* frame, OutputFile& output);

  std::string label_;  // "MP3 encoder", for failure reasons
  ffmpeg::CodecContextPtr context_;
  ffmpeg::AudioFifoPtr fifo_;
  ffmpeg::FramePtr frame_;
  ffmpeg::PacketPtr packet_;
  int frameSize_ = 0;
  std::int64_t samplesSent_ = 0;
};

}  // namespace varnell

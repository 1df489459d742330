// The audio end of a conversion: the encoder of one output stream, the FIFO that cuts incoming
// audio into the encoder's frame size, the running count of samples written and the stream of
// the output file its packets go to. Timestamps come from that count, never from a source, so the
// output's length is exactly the audio that went in, from one reader or from several in turn.
// Flushed once, at the end of the output, which then learns the encoder's priming and padding
// (an MP4 states them for gapless players). Owned and used by the worker thread of its file.
#pragma once

#include <cstdint>
#include <string>

#include "engine/AudioTarget.h"
#include "engine/SourceAudioFormat.h"
#include "media/AudioResampler.h"
#include "media/FFmpegHandles.h"

namespace varnell {

class OutputFile;

class AudioSink {
 public:
  // Adds the sink's stream to `output` (before its Start()). Throws ConversionFailure with a
  // readable reason when the target cannot be encoded. The source's decoded format is used when
  // the encoder takes it (saves a conversion); a deep lossless source keeps its depth in a
  // lossless output.
  AudioSink(const AudioTarget& target, SourceAudioFormat source, OutputFile& output);

  // What a reader must convert to before writing here.
  AVSampleFormat sampleFormat() const { return context_->sample_fmt; }
  const AVChannelLayout& channelLayout() const { return context_->ch_layout; }
  int sampleRate() const { return context_->sample_rate; }

  // Queues the samples (planes in the sink's format) and encodes every whole frame.
  void Write(const ConvertedAudio& audio);
  // Samples written so far, at the sink's rate.
  std::int64_t samplesWritten() const { return samplesWritten_; }
  double secondsWritten() const { return static_cast<double>(samplesWritten_) / sampleRate(); }
  // True once Write or Flush failed: the encoder or the output is then in an unknown state and
  // the output must not be finished. A reader's own failure leaves it false.
  bool failed() const { return failed_; }
  // Encodes what is left (a short last frame) and drains the encoder; later calls do nothing.
  void Flush();

 private:
  void EncodeFramesOrMarkFailed(int minimumQueued, bool flush);
  void EncodeFrames(int minimumQueued);
  void Send(const AVFrame* frame);
  void ReportGaps();

  OutputFile& output_;
  const AVStream* stream_ = nullptr;
  std::string label_;  // "MP3 encoder", for failure reasons
  ffmpeg::CodecContextPtr context_;
  ffmpeg::AudioFifoPtr fifo_;
  ffmpeg::FramePtr frame_;
  ffmpeg::PacketPtr packet_;
  int frameSize_ = 0;
  bool variableFrameSize_ = false;
  std::int64_t samplesWritten_ = 0;
  std::int64_t samplesEncoded_ = 0;
  std::int64_t packetsWritten_ = 0;
  bool flushed_ = false;
  bool failed_ = false;
};

}  // namespace varnell

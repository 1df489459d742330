// The source end of a conversion: one source file, the decoder of its audio stream, the clip
// window (seek with preroll, exact begin, exact end) and a resampler to the format of the sink it
// writes into. Each reader has its own rate and layout; a sink takes several readers in turn.
// Owned and used by the worker thread of its file.
//
// Positions are counted in samples: input positions at the decoder's rate from the start of the
// stream (samples before the clip's begin and after the stream's real end are dropped); the
// output budget at the sink's rate, which ends a clip exactly.
#pragma once

#include <cstdint>
#include <deque>
#include <limits>
#include <optional>
#include <string>

#include "engine/PacketStepper.h"
#include "engine/SourceAudioFormat.h"
#include "media/AudioResampler.h"
#include "media/SourceFile.h"
#include "media/StreamDecoder.h"

namespace varnell {

class AudioSink;

struct ClipWindow {
  double begin = 0.0;                                       // seconds
  double length = std::numeric_limits<double>::infinity();  // seconds; infinity: to the end
};

// How long a clip of the source lasts, for progress; 0 when unknown.
double WindowSecondsOf(const SourceFile& source, ClipWindow clip);

class AudioReader {
 public:
  // Opens the source and its audio decoder. Throws ConversionFailure with the row's reason.
  AudioReader(const std::string& sourcePath, ClipWindow clip);

  const SourceFile& source() const { return source_; }
  const AVStream& stream() const { return *stream_; }
  // The decoder's sample format and the recording's depth, for the sink set up for this source.
  SourceAudioFormat format() const;
  // How long the window lasts, for progress; 0 when unknown.
  double windowSeconds() const { return WindowSecondsOf(source_, clip_); }

  // Builds the resampler to the sink's format and seeks to the clip's begin. Once, before Step.
  void ConnectTo(const AudioSink& sink);
  // Reads one packet and writes what it decodes into the sink. At the end of the window or of
  // the source, drains the decoder and the resampler and returns false; later calls do nothing.
  bool Step(AudioSink& sink);
  // Throws when the window delivered no sample at all, saying why.
  void CheckSomethingDelivered() const;

 private:
  static constexpr std::int64_t kUnbounded = std::numeric_limits<std::int64_t>::max();

  void Finish(AudioSink& sink);
  bool BudgetReached() const { return delivered_ >= outputBudget_; }
  void Decode(const AVPacket* packet, AudioSink& sink);
  void Accept(const AVFrame& frame, AudioSink& sink);
  void StartCounting(const AVFrame& frame);
  void HoldBeyondEnd(const AVFrame& frame, int offset, AudioSink& sink);
  void DistrustStatedEnd(AudioSink& sink);
  void Convert(const AVFrame& frame, int offset, int count, AudioSink& sink);
  void Deliver(const ConvertedAudio& audio, AudioSink& sink);
  // Throws when the source was read to its end but its audio fell short of what it states.
  void CheckReadToItsEnd() const;

  ClipWindow clip_;
  SourceFile source_;
  const AVStream* stream_ = nullptr;
  StreamDecoder decoder_;
  std::optional<AudioResampler> resampler_;
  ffmpeg::FramePtr frame_;
  PacketStepper packets_;

  bool seeked_ = false;
  int inputRate_ = 0;
  std::int64_t nextInputSample_ = 0;
  std::int64_t discardBefore_ = 0;
  // The stream's stated end, trusted to cut the encoder's padding only while what decodes past
  // it stays within that padding; audio past it waits in heldFrames_ until that is known.
  std::int64_t statedEnd_ = kUnbounded;
  struct HeldFrame {
    ffmpeg::FramePtr frame;
    int offset;
  };
  std::deque<HeldFrame> heldFrames_;
  std::int64_t heldSamples_ = 0;
  int largestFrame_ = 0;
  std::int64_t outputBudget_ = kUnbounded;
  std::int64_t delivered_ = 0;  // at the sink's rate
};

}  // namespace varnell

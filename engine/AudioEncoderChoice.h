// Which FFmpeg encoder writes an audio target, and how: the sample rates, channel counts, bit
// rates and qualities of each of the engine's audio encoders are checked here, before any file
// exists, so that a refused target fails its row with words ("Opus encoder: 7 channels not
// supported") instead of a bare code from avcodec_open2. A lossless encoder keeps a deep
// recording's 24 bits (the 24-bit PCM encoder, or FLAC and ALAC at 24 bits in 32-bit samples).
// Used by the worker thread of its file.
#pragma once

#include <string>

#include "engine/AudioTarget.h"
#include "engine/SourceAudioFormat.h"
#include "media/FFmpegHandles.h"
#include "settings/OutputFormats.h"

namespace varnell {

class AudioEncoderChoice {
 public:
  // Throws ConversionFailure with the reason when the engine has no encoder for the target's
  // codec, the container cannot store it, or the encoder refuses the target.
  AudioEncoderChoice(const AudioTarget& target, SourceAudioFormat source,
                     const OutputFormat& format);

  const AVCodec* codec() const { return codec_; }
  const std::string& label() const { return label_; }  // "Opus encoder"
  // The rate the output gets: the target's, or for Opus the 48000 Hz it takes everything at.
  int sampleRate() const { return sampleRate_; }

  // Fills an encoder context: rate, layout, sample format and depth, time base, then the bit
  // rate or the quality or compression level, and the global header when the muxer wants one.
  void Configure(AVCodecContext& context, bool globalHeader) const;

 private:
  void CheckChannels() const;
  int ChooseRate() const;
  void CheckRate() const;
  void CheckRateControl() const;
  AVSampleFormat ChooseSampleFormat(AVSampleFormat decoded) const;
  int Mp2BitRate() const;

  const AudioEncoder* encoder_ = nullptr;
  const AVCodec* codec_ = nullptr;
  std::string label_;
  AudioTarget target_;
  bool deep_ = false;
  int sampleRate_ = 0;
  AVSampleFormat sampleFormat_ = AV_SAMPLE_FMT_NONE;
};

}  // namespace varnell

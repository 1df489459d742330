#pragma once

#include <string>
#include <vector>

#include "media/FFmpegHandles.h"
#include "testmedia/ToneSource.h"

namespace varnell::testmedia {

struct ToneStreamSettings {
  const char* encoderName = "aac";
  int sampleRate = 44100;
  int channels = 2;
  int bitRate = 128000;
  double baseHz = 440.0;
  double amplitude = 0.5;
  long long leadSamples = 0;
  long long totalSamples = 0;
  bool aacNoiseSubstitution = true;  // see SampleSpec
};

// One audio stream of a sample file: a ToneSource feeding one encoder whose packets
// go to one stream of the muxer. The muxer context outlives this object and owns the
// AVStream; this object owns the encoder, frame and packet.
class ToneStreamEncoder {
 public:
  // Adds the stream to `output`; must run before avformat_write_header.
  bool open(AVFormatContext* output, const ToneStreamSettings& settings, std::string* error);

  // Encodes and writes one encoder frame; once the source is exhausted, flushes the
  // encoder instead. Call until finished().
  bool writeNextFrame(std::string* error);

  bool finished() const { return finished_; }
  long long samplesSent() const;

 private:
  bool sendFrame(std::string* error);
  bool writePendingPackets(std::string* error);
  int fillDeep(int capacity);

  AVFormatContext* output_ = nullptr;
  AVStream* stream_ = nullptr;
  ffmpeg::CodecContextPtr encoder_;
  ffmpeg::FramePtr frame_;
  ffmpeg::PacketPtr packet_;
  std::unique_ptr<ToneSource> source_;
  std::vector<float> scratch_;  // the planes a deep frame is filled from
  bool flushed_ = false;
  bool finished_ = false;
};

}  // namespace varnell::testmedia

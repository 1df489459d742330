#pragma once

namespace varnell::testmedia {

// Produces the test signal block by block: leadSamples of digital silence, then a
// sine per channel (channel c at baseHz * (1 + c)) until totalSamples have been produced.
// The tone starts and stops abruptly so onsets can be located to the sample. Each
// sample is computed from its absolute index, so block size does not affect the result.
class ToneSource {
 public:
  ToneSource(int sampleRate, int channels, double baseHz, double amplitude, long long leadSamples,
             long long totalSamples);

  // Fills up to maxSamples samples into each of the `channels` planes; returns how many.
  int fill(float* const* planes, int maxSamples);

  long long produced() const { return produced_; }
  long long remaining() const { return totalSamples_ - produced_; }

 private:
  int sampleRate_;
  int channels_;
  double baseHz_;
  double amplitude_;
  long long leadSamples_;
  long long totalSamples_;
  long long produced_ = 0;
};

}  // namespace varnell::testmedia

#include "testmedia/ToneSource.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace varnell::testmedia {

ToneSource::ToneSource(int sampleRate, int channels, double baseHz, double amplitude,
                       long long leadSamples, long long totalSamples)
    : sampleRate_(sampleRate),
      channels_(channels),
      baseHz_(baseHz),
      amplitude_(amplitude),
      leadSamples_(std::clamp(leadSamples, 0LL, totalSamples)),
      totalSamples_(totalSamples) {}

int ToneSource::fill(float* const* planes, int maxSamples) {
  const int count = static_cast<int>(std::min<long long>(maxSamples, remaining()));
  for (int c = 0; c < channels_; ++c) {
    const double step = 2.0 * std::numbers::pi * baseHz_ * (1 + c) / sampleRate_;
    for (int i = 0; i < count; ++i) {
      const long long toneIndex = produced_ + i - leadSamples_;
      planes[c][i] =
          toneIndex < 0
              ? 0.0f
              : static_cast<float>(amplitude_ * std::sin(step * static_cast<double>(toneIndex)));
    }
  }
  produced_ += count;
  return count;
}

}  // namespace varnell::testmedia

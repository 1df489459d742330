#pragma once

#include <cstddef>

namespace varnell::testmedia {

// Frequency of the strongest component in samples[0..count), from a Hann-windowed FFT
// of the central power-of-two block with log-parabolic peak interpolation (accurate to
// a small fraction of a bin). 0 when count is too short to measure.
double StrongestFrequencyHz(const float* samples, std::size_t count, int sampleRate);

}  // namespace varnell::testmedia

#include "testmedia/StrongestFrequency.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <utility>
#include <vector>

namespace varnell::testmedia {
namespace {

constexpr std::size_t kMinimumBlock = 256;
constexpr std::size_t kMaximumBlock = 65536;

void TransformInPlace(std::vector<std::complex<double>>& values) {
  const std::size_t n = values.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) {
      j ^= bit;
    }
    j ^= bit;
    if (i < j) {
      std::swap(values[i], values[j]);
    }
  }
  for (std::size_t length = 2; length <= n; length <<= 1) {
    const std::complex<double> unit =
        std::polar(1.0, -2.0 * std::numbers::pi / static_cast<double>(length));
    for (std::size_t start = 0; start < n; start += length) {
      std::complex<double> twiddle = 1.0;
      for (std::size_t k = 0; k < length / 2; ++k) {
        const std::complex<double> even = values[start + k];
        const std::complex<double> odd = values[start + k + length / 2] * twiddle;
        values[start + k] = even + odd;
        values[start + k + length / 2] = even - odd;
        twiddle *= unit;
      }
    }
  }
}

}  // namespace

double StrongestFrequencyHz(const float* samples, std::size_t count, int sampleRate) {
  if (count < kMinimumBlock || sampleRate <= 0) {
    return 0.0;
  }
  std::size_t block = kMinimumBlock;
  while (block * 2 <= count && block * 2 <= kMaximumBlock) {
    block *= 2;
  }
  const std::size_t first = (count - block) / 2;
  std::vector<std::complex<double>> values(block);
  for (std::size_t i = 0; i < block; ++i) {
    const double window = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) /
                                               static_cast<double>(block));
    values[i] = samples[first + i] * window;
  }
  TransformInPlace(values);

  std::size_t best = 1;
  for (std::size_t k = 2; k < block / 2; ++k) {
    if (std::norm(values[k]) > std::norm(values[best])) {
      best = k;
    }
  }
  if (std::norm(values[best]) == 0.0) {
    return 0.0;
  }
  // A Hann-windowed sine's main lobe is close to a Gaussian, so a parabola through the
  // log magnitudes of the peak and its neighbours locates the true peak between bins.
  const double left = std::log(std::abs(values[best - 1]) + 1e-30);
  const double centre = std::log(std::abs(values[best]) + 1e-30);
  const double right = std::log(std::abs(values[best + 1]) + 1e-30);
  const double curvature = left - 2.0 * centre + right;
  const double offset = curvature < 0.0 ? 0.5 * (left - right) / curvature : 0.0;
  return (static_cast<double>(best) + offset) * sampleRate / static_cast<double>(block);
}

}  // namespace varnell::testmedia

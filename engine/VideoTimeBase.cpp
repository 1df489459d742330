#include "engine/VideoTimeBase.h"

#include <array>
#include <cstdio>
#include <string>

namespace varnell {
namespace {

struct TableRate {
  double framesPerSecond;
  AVRational timeBase;
};

// Compared by exact equality: the settings' texts give exactly these doubles.
// clang-format off
constexpr std::array<TableRate, 13> kFrameRateTable{{
    {10.0, {1, 10}},   {12.0, {1, 12}},   {14.985, {1001, 15000}}, {15.0, {1, 15}},
    {18.0, {1, 18}},   {20.0, {1, 20}},   {23.975, {1001, 24000}}, {24.0, {1, 24}},
    {25.0, {1, 25}},   {29.97, {1001, 30000}}, {30.0, {1, 30}},    {50.0, {1, 50}},
    {60.0, {1, 60}},
}};
// clang-format on

// MPEG-4 part 2 stores the time base denominator in 16 bits.
constexpr int kLargestDenominator = 65535;

}  // namespace

AVRational VideoTimeBase(double targetFrameRate, AVRational sourceFrameRate,
                         std::string_view muxerName) {
  if (targetFrameRate <= 0.0 || muxerName == "rm") {
    if (sourceFrameRate.num <= 0 || sourceFrameRate.den <= 0) return AVRational{0, 1};
    return av_inv_q(sourceFrameRate);
  }
  for (const TableRate& rate : kFrameRateTable) {
    if (rate.framesPerSecond == targetFrameRate) return rate.timeBase;
  }
  return av_inv_q(av_d2q(targetFrameRate, kLargestDenominator));
}

std::string FramesPerSecondText(double framesPerSecond) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", framesPerSecond);
  std::string shown = text;
  while (shown.back() == '0') shown.pop_back();
  if (shown.back() == '.') shown.pop_back();
  return shown;
}

}  // namespace varnell

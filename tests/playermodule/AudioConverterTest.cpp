// The converter from decoded frames to the device's float stereo, driven with frames made here:
// the rate changes without losing time or pitch, the channels keep their sides, mono sounds on
// both sides at its own level, and a format change mid-stream goes on at once.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
}

#include "playermodule/AudioConverter.h"
#include "testmedia/StrongestFrequency.h"

namespace varnell::player {
namespace {

using testmedia::StrongestFrequencyHz;

struct FrameDeleter {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
using Frame = std::unique_ptr<AVFrame, FrameDeleter>;

// `count` samples of a tone per channel at amplitude 0.5: 440 Hz on the first channel, 880 Hz on
// the second, starting at sample `first` of the stream. Planar float, or interleaved 16-bit.
Frame Tone(AVSampleFormat format, int rate, int channels, int first, int count) {
  Frame frame(av_frame_alloc());
  if (!frame) return frame;
  frame->format = format;
  frame->sample_rate = rate;
  frame->nb_samples = count;
  av_channel_layout_default(&frame->ch_layout, channels);
  if (av_frame_get_buffer(frame.get(), 0) < 0) return nullptr;
  for (int c = 0; c < channels; ++c) {
    for (int i = 0; i < count; ++i) {
      const double value =
          0.5 * std::sin(2.0 * std::numbers::pi * 440.0 * (c + 1) * (first + i) / rate);
      if (format == AV_SAMPLE_FMT_FLTP) {
        reinterpret_cast<float*>(frame->extended_data[c])[i] = static_cast<float>(value);
      } else {
        reinterpret_cast<std::int16_t*>(frame->data[0])[i * channels + c] =
            static_cast<std::int16_t>(std::lround(value * 32767));
      }
    }
  }
  return frame;
}

struct Sides {
  std::vector<float> left, right;
};

Sides Split(const std::vector<float>& stereo, std::size_t from = 0) {
  Sides sides;
  for (std::size_t i = from * 2; i + 1 < stereo.size(); i += 2) {
    sides.left.push_back(stereo[i]);
    sides.right.push_back(stereo[i + 1]);
  }
  return sides;
}

float Peak(const std::vector<float>& samples) {
  float peak = 0.0f;
  for (const float sample : samples) peak = std::max(peak, std::fabs(sample));
  return peak;
}

TEST(AudioConverterTest, NewRateKeepsTimeAndPitchAndTheDrainGivesTheRest) {
  AudioConverter converter(44100, 2);
  std::vector<float> out;
  // One second of 48 kHz stereo in 1024-sample frames; the first frame from sample 200 on.
  const int frameSize = 1024;
  int input = 0;
  for (int first = 0; first < 48000; first += frameSize) {
    const int count = std::min(frameSize, 48000 - first);
    const Frame frame = Tone(AV_SAMPLE_FMT_FLTP, 48000, 2, first, count);
    ASSERT_TRUE(frame);
    const int skip = first == 0 ? 200 : 0;
    ASSERT_TRUE(converter.convert(*frame, skip, out));
    input += count - skip;
  }
  const std::size_t beforeDrain = out.size() / 2;
  ASSERT_TRUE(converter.drain(out));
  EXPECT_GT(out.size() / 2, beforeDrain) << "the resampler held frames back";
  const double expected = input * 44100.0 / 48000.0;
  EXPECT_NEAR(static_cast<double>(out.size() / 2), expected, 2.0);

  const Sides sides = Split(out);
  EXPECT_NEAR(StrongestFrequencyHz(sides.left.data(), sides.left.size(), 44100), 440.0, 1.0);
  EXPECT_NEAR(StrongestFrequencyHz(sides.right.data(), sides.right.size(), 44100), 880.0, 1.0);
  EXPECT_NEAR(Peak(sides.left), 0.5f, 0.02f);
  EXPECT_TRUE(converter.drain(out)) << "a second drain is harmless";
}

TEST(AudioConverterTest, MonoSpreadsAtItsOwnLevelAndAFormatChangeGoesOnAtOnce) {
  AudioConverter converter(44100, 2);
  std::vector<float> out;
  // Half a second of mono 16-bit at the device's rate, then the decoder switches to planar
  // float stereo at 22050 Hz (a stream whose parameters change, as some broadcasts do).
  const Frame mono = Tone(AV_SAMPLE_FMT_S16, 44100, 1, 0, 22050);
  ASSERT_TRUE(mono);
  ASSERT_TRUE(converter.convert(*mono, 0, out));
  const Sides monoSides = Split(out);
  ASSERT_GT(monoSides.left.size(), 20000u);
  EXPECT_NEAR(Peak(monoSides.left), 0.5f, 0.02f) << "not spread at -3 dB";
  EXPECT_EQ(monoSides.left, monoSides.right);
  EXPECT_NEAR(StrongestFrequencyHz(monoSides.right.data(), monoSides.right.size(), 44100), 440.0,
              1.0);

  const std::size_t changeAt = out.size() / 2;
  const Frame stereo = Tone(AV_SAMPLE_FMT_FLTP, 22050, 2, 0, 11025);
  ASSERT_TRUE(stereo);
  ASSERT_TRUE(converter.convert(*stereo, 0, out));
  ASSERT_TRUE(converter.drain(out));
  const Sides after = Split(out, changeAt);
  // What the old resampler still held may be lost with it, but no more than a few milliseconds.
  EXPECT_NEAR(static_cast<double>(out.size() / 2), 22050.0 + 22050.0, 300.0);
  EXPECT_NEAR(StrongestFrequencyHz(after.left.data(), after.left.size(), 44100), 440.0, 1.0);
  EXPECT_NEAR(StrongestFrequencyHz(after.right.data(), after.right.size(), 44100), 880.0, 1.0);

  // A frame that cannot be converted is refused.
  Frame broken = Tone(AV_SAMPLE_FMT_FLTP, 22050, 2, 0, 64);
  ASSERT_TRUE(broken);
  broken->sample_rate = 0;
  EXPECT_FALSE(converter.convert(*broken, 0, out));
  EXPECT_FALSE(converter.convert(*stereo, -1, out));
}

}  // namespace
}  // namespace varnell::player

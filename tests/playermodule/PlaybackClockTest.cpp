// Position and duration follow the sound heard; the end is notified once, to the caller that
// initialised last.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <vector>

#include "Media.h"
#include "PlayerTestSupport.h"

namespace varnell::testing {
namespace {

using testmedia::SampleContainer;

class PlaybackClockTest : public PlayerTest {};

TEST_F(PlaybackClockTest, DurationIsTheLengthOfTheSound) {
  // The mp3 container counts encoder delay and padding; raw AAC states only an estimate from
  // its bit rate, and its encoder's priming and padding (up to two frames) are heard.
  for (const auto& [container, name] : {std::pair{SampleContainer::M4a, "tone.m4a"},
                                        std::pair{SampleContainer::Mp3, "tone.mp3"},
                                        std::pair{SampleContainer::Adts, "tone.aac"}}) {
    testmedia::SampleSpec spec = Tone(path(name), 2.0);
    spec.container = container;
    ASSERT_TRUE(Open(WriteSample(spec)));
    double seconds = 0.0;
    ASSERT_EQ(PlayerModule_GetDuration(&seconds), 0);
    const double expected = container == SampleContainer::Adts ? 2.0 + 1024.0 / 44100 : 2.0;
    EXPECT_NEAR(seconds, expected, 0.025) << name;
  }
}

TEST_F(PlaybackClockTest, PositionAdvancesInRealTimeAndHoldsWhilePaused) {
  ASSERT_TRUE(Open(WriteSample(Tone(path("tone.m4a"), 3.0))));
  EXPECT_DOUBLE_EQ(PositionSeconds(), 0.0);
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(PlayerModule_Start(), 0);
  Sleep(0.7);
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  // The device takes its first buffer at once; a busy machine may wake the device late.
  EXPECT_LT(PositionSeconds(), elapsed + 0.06);
  EXPECT_GT(PositionSeconds(), elapsed - 0.2);

  ASSERT_EQ(PlayerModule_Pause(), 0);
  const double paused = PositionSeconds();
  Sleep(0.3);
  EXPECT_NEAR(PositionSeconds(), paused, 0.001);

  ASSERT_EQ(PlayerModule_Start(), 0);
  Sleep(0.3);
  EXPECT_GT(PositionSeconds(), paused + 0.15);
  EXPECT_LT(PositionSeconds(), paused + 0.36);

  ASSERT_EQ(PlayerModule_Stop(), 0);
  EXPECT_DOUBLE_EQ(PositionSeconds(), 0.0);
}

TEST_F(PlaybackClockTest, SetPosMovesThePositionWhetherStoppedPlayingOrPaused) {
  ASSERT_TRUE(Open(WriteSample(Tone(path("tone.m4a"), 2.0))));
  double duration = 0.0;
  ASSERT_EQ(PlayerModule_GetDuration(&duration), 0);
  const auto expectAt = [&](float fraction) {
    ASSERT_EQ(PlayerModule_SetPos(fraction), 0);
    float position = -1.0f;
    ASSERT_EQ(PlayerModule_GetPos(&position), 0);
    EXPECT_NEAR(position * duration, fraction * duration, 0.05) << "fraction " << fraction;
  };
  expectAt(0.5f);
  ASSERT_EQ(PlayerModule_Start(), 0);
  Sleep(0.2);
  expectAt(0.25f);
  ASSERT_EQ(PlayerModule_Pause(), 0);
  expectAt(0.9f);
  // Paused stays paused after the move.
  Sleep(0.2);
  EXPECT_NEAR(PositionSeconds(), 0.9 * duration, 0.05);
}

std::atomic<int> gEndsOfFirst{0};
std::atomic<int> gEndsOfLast{0};
std::mutex gSecondsMutex;
std::vector<int> gSecondsHeard;

TEST_F(PlaybackClockTest, EndIsNotifiedOnceToTheLastInitialiser) {
  gEndsOfFirst = 0;
  gEndsOfLast = 0;
  gSecondsHeard.clear();
  PlayerModule_Initialize([] { ++gEndsOfFirst; }, nullptr, L"VarnellTest");
  PlayerModule_Initialize([] { ++gEndsOfLast; },
                          [](int second) {
                            const std::lock_guard lock(gSecondsMutex);
                            gSecondsHeard.push_back(second);
                          },
                          L"VarnellTest");
  ASSERT_TRUE(Open(WriteSample(Tone(path("tone.m4a"), 1.3))));
  ASSERT_EQ(PlayerModule_Start(), 0);
  ASSERT_TRUE(WaitFor([] { return gEndsOfLast.load() > 0; }, std::chrono::seconds(4)));
  Sleep(0.3);
  EXPECT_EQ(gEndsOfLast.load(), 1);
  EXPECT_EQ(gEndsOfFirst.load(), 0);
  {
    const std::lock_guard lock(gSecondsMutex);
    EXPECT_EQ(gSecondsHeard, std::vector<int>{1});
  }
  float position = 0.0f;
  ASSERT_EQ(PlayerModule_GetPos(&position), 0);
  EXPECT_FLOAT_EQ(position, 1.0f);
  EXPECT_NEAR(PositionSeconds(), 1.3, 0.03);
  EXPECT_EQ(PlayerModule_Pause(), -1) << "nothing left to pause";

  // Start after the end plays again from the start.
  ASSERT_EQ(PlayerModule_Start(), 0);
  Sleep(0.2);
  EXPECT_LT(PositionSeconds(), 0.5);
  ASSERT_EQ(PlayerModule_Stop(), 0);
  Sleep(0.2);
  EXPECT_EQ(gEndsOfLast.load(), 1) << "a stop is not an end";
}

}  // namespace
}  // namespace varnell::testing

// Position and duration follow the sound heard; the end is notified once, to the caller that
// initialised last.
#include <gtest/gtest.h>

#include <atomic>
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
  for (const auto& [container, name] :
       {std::pair{SampleContainer::M4a, "tone.m4a"}, std::pair{SampleContainer::Mp3, "tone.mp3"},
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

// Positions are exact: the pulled device plays exactly the frames asked for.
constexpr double kExact = 1e-4;

TEST_F(PlaybackClockTest, PositionIsTheSoundPlayedAndHoldsWhilePausedOrStopped) {
  ASSERT_TRUE(Open(WriteSample(Tone(path("tone.m4a"), 3.0))));
  EXPECT_DOUBLE_EQ(PositionSeconds(), 0.0);
  EXPECT_EQ(Play(0.2), 0) << "stopped: nothing plays";
  ASSERT_EQ(PlayerModule_Start(), 0);
  EXPECT_GT(Play(0.7), 0);
  EXPECT_NEAR(PositionSeconds(), 0.7, kExact);

  ASSERT_EQ(PlayerModule_Pause(), 0);
  EXPECT_EQ(Play(0.3), 0) << "paused: nothing plays";
  EXPECT_NEAR(PositionSeconds(), 0.7, kExact);

  ASSERT_EQ(PlayerModule_Start(), 0);
  Play(0.3);
  EXPECT_NEAR(PositionSeconds(), 1.0, kExact);

  ASSERT_EQ(PlayerModule_Stop(), 0);
  EXPECT_DOUBLE_EQ(PositionSeconds(), 0.0);
  EXPECT_EQ(Play(0.2), 0);
  EXPECT_DOUBLE_EQ(PositionSeconds(), 0.0);
}

TEST_F(PlaybackClockTest, SetPosMovesThePositionWhetherStoppedPlayingOrPaused) {
  ASSERT_TRUE(Open(WriteSample(Tone(path("tone.m4a"), 2.0))));
  double duration = 0.0;
  ASSERT_EQ(PlayerModule_GetDuration(&duration), 0);
  const auto expectAt = [&](double seconds) { EXPECT_NEAR(PositionSeconds(), seconds, kExact); };
  ASSERT_EQ(PlayerModule_SetPos(0.5f), 0);
  expectAt(0.5 * duration);
  ASSERT_EQ(PlayerModule_Start(), 0);
  Play(0.2);
  expectAt(0.5 * duration + 0.2);
  ASSERT_EQ(PlayerModule_SetPos(0.25f), 0);
  expectAt(0.25 * duration);
  Play(0.2);
  expectAt(0.25 * duration + 0.2);
  ASSERT_EQ(PlayerModule_Pause(), 0);
  ASSERT_EQ(PlayerModule_SetPos(0.9f), 0);
  expectAt(0.9 * duration);
  // Paused stays paused after the move.
  EXPECT_EQ(Play(0.2), 0);
  expectAt(0.9 * duration);
}

std::atomic<int> gEndsOfFirst{0};

TEST_F(PlaybackClockTest, EndIsNotifiedOnceToTheLastInitialiser) {
  gEndsOfFirst = 0;
  PlayerModule_Initialize([] { ++gEndsOfFirst; }, nullptr, L"VarnellTest");
  NotificationLog& log = NotificationLog::Instance();
  log.listen();
  ASSERT_TRUE(Open(WriteSample(Tone(path("tone.m4a"), 1.3))));
  ASSERT_EQ(PlayerModule_Start(), 0);
  Play(0.9);
  EXPECT_EQ(log.ends(), 0);
  // Past the end the device plays silence, and the end is notified once all sound was heard.
  Play(0.6);
  ASSERT_TRUE(log.waitForEnd());
  float position = 0.0f;
  ASSERT_EQ(PlayerModule_GetPos(&position), 0);
  EXPECT_FLOAT_EQ(position, 1.0f);
  EXPECT_NEAR(PositionSeconds(), 1.3, 0.03);
  EXPECT_EQ(PlayerModule_Pause(), -1) << "nothing left to pause";

  // Start after the end plays again from the start.
  ASSERT_EQ(PlayerModule_Start(), 0);
  Play(0.2);
  EXPECT_NEAR(PositionSeconds(), 0.2, kExact);
  // Stop joins the decoding thread: every notification it would send has been sent.
  ASSERT_EQ(PlayerModule_Stop(), 0);
  EXPECT_EQ(log.ends(), 1) << "one end, and a stop is not an end";
  EXPECT_EQ(gEndsOfFirst.load(), 0);
  EXPECT_EQ(log.seconds(), std::vector<int>{1});
}

}  // namespace
}  // namespace varnell::testing

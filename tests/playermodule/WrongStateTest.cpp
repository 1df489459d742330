// Calls the player cannot honour fail with -1 and change nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "Media.h"
#include "PlayerTestSupport.h"

namespace varnell::testing {
namespace {

class WrongStateTest : public PlayerTest {
 protected:
  static void ExpectNothingOpen() {
    int a = 0, b = 0;
    float fraction = 0.0f;
    double seconds = 0.0;
    unsigned char pixel[3];
    EXPECT_EQ(PlayerModule_Start(), -1);
    EXPECT_EQ(PlayerModule_Pause(), -1);
    EXPECT_EQ(PlayerModule_Stop(), -1);
    EXPECT_EQ(PlayerModule_GetPos(&fraction), -1);
    EXPECT_EQ(PlayerModule_GetDuration(&seconds), -1);
    EXPECT_EQ(PlayerModule_SetPos(0.5f), -1);
    EXPECT_EQ(PlayerModule_GetMideaType(&a, &b), -1);
    EXPECT_EQ(PlayerModule_GetFrameSize(&a, &b), -1);
    EXPECT_EQ(PlayerModule_GetFrame(pixel, 1, 1), -1);
    EXPECT_EQ(PlayerModule_Close(), -1);
  }
};

TEST_F(WrongStateTest, EveryFileFunctionFailsWithNoFileOpen) {
  ExpectNothingOpen();
  ASSERT_TRUE(Open(WriteSample(Tone(path("tone.m4a"), 1.0))));
  ASSERT_EQ(PlayerModule_Close(), 0);
  ExpectNothingOpen();
}

TEST_F(WrongStateTest, PauseFailsUnlessPlaying) {
  ASSERT_TRUE(Open(WriteSample(Tone(path("tone.m4a"), 2.0))));
  EXPECT_EQ(PlayerModule_Pause(), -1) << "stopped";
  ASSERT_EQ(PlayerModule_Start(), 0);
  ASSERT_EQ(PlayerModule_Pause(), 0);
  EXPECT_EQ(PlayerModule_Pause(), -1) << "already paused";
  EXPECT_EQ(PlayerModule_Start(), 0) << "resumes";
}

TEST_F(WrongStateTest, BadArgumentsFailAndLeaveThePlayerAsItWas) {
  ASSERT_TRUE(Open(WriteSample(Tone(path("tone.m4a"), 2.0))));
  ASSERT_EQ(PlayerModule_SetPos(0.5f), 0);
  const double before = PositionSeconds();
  for (const float fraction : {-0.01f, 1.01f, std::numeric_limits<float>::quiet_NaN()}) {
    EXPECT_EQ(PlayerModule_SetPos(fraction), -1) << fraction;
  }
  EXPECT_DOUBLE_EQ(PositionSeconds(), before);

  int value = 0;
  unsigned char pixel[3];
  EXPECT_EQ(PlayerModule_GetPos(nullptr), -1);
  EXPECT_EQ(PlayerModule_GetDuration(nullptr), -1);
  EXPECT_EQ(PlayerModule_GetMideaType(nullptr, &value), -1);
  EXPECT_EQ(PlayerModule_GetFrameSize(&value, nullptr), -1);
  EXPECT_EQ(PlayerModule_GetFrame(nullptr, 1, 1), -1);
  EXPECT_EQ(PlayerModule_GetFrame(pixel, 0, 1), -1);
  EXPECT_EQ(PlayerModule_GetFrame(pixel, 1, -1), -1);
  EXPECT_EQ(PlayerModule_SetFileName(nullptr), -1);
  EXPECT_DOUBLE_EQ(PositionSeconds(), before) << "the open file is untouched";
}

TEST_F(WrongStateTest, FileThatCannotBePlayedGivesMinusOneAndClosesTheOldOne) {
  ASSERT_TRUE(Open(WriteSample(Tone(path("tone.m4a"), 1.0))));
  {
    std::ofstream garbage(path("garbage.m4a"), std::ios::binary);
    for (int i = 0; i < 4096; ++i) garbage.put(static_cast<char>((i * 7919) % 251));
  }
  {
    std::ofstream text(path("notes.mp3"));
    text << "these are not the sounds you are looking for\n";
  }
  for (const std::string name : {"missing.m4a", "garbage.m4a", "notes.mp3"}) {
    EXPECT_FALSE(Open(path(name))) << name;
    EXPECT_EQ(PlayerModule_Open(), -1) << name;
  }
  ExpectNothingOpen();
}

TEST_F(WrongStateTest, RejectedFileNameLeavesNoneToOpen) {
  const std::string file = WriteSample(Tone(path("tone.m4a"), 1.0));
  ASSERT_EQ(PlayerModule_SetFileName(WideFromUtf8(file).c_str()), 0);
  EXPECT_EQ(PlayerModule_SetFileName(L""), -1);
  EXPECT_EQ(PlayerModule_Open(), -1);

  // 260 characters is the limit.
  ASSERT_EQ(PlayerModule_SetFileName(WideFromUtf8(file).c_str()), 0);
  EXPECT_EQ(PlayerModule_SetFileName(std::wstring(261, L'a').c_str()), -1);
  EXPECT_EQ(PlayerModule_Open(), -1);
  EXPECT_EQ(PlayerModule_SetFileName(std::wstring(260, L'a').c_str()), 0);
  EXPECT_EQ(PlayerModule_Open(), -1) << "no such file, but the name was taken";
}

TEST_F(WrongStateTest, NonAsciiNamesAreOpened) {
  ASSERT_TRUE(Open(WriteSample(Tone(path("Grüße – 音楽.m4a"), 1.0))));
  double seconds = 0.0;
  ASSERT_EQ(PlayerModule_GetDuration(&seconds), 0);
  EXPECT_NEAR(seconds, 1.0, 0.03);
}

TEST_F(WrongStateTest, OpenAfterStopWithoutCloseTakesTheNewFile) {
  ASSERT_TRUE(Open(WriteSample(Tone(path("long.m4a"), 2.0))));
  ASSERT_EQ(PlayerModule_Start(), 0);
  Play(0.2);
  ASSERT_EQ(PlayerModule_Stop(), 0);
  ASSERT_TRUE(Open(WriteSample(Tone(path("short.m4a"), 1.0))));
  double seconds = 0.0;
  ASSERT_EQ(PlayerModule_GetDuration(&seconds), 0);
  EXPECT_NEAR(seconds, 1.0, 0.03);
  EXPECT_DOUBLE_EQ(PositionSeconds(), 0.0);
  ASSERT_EQ(PlayerModule_Close(), 0);
  EXPECT_EQ(PlayerModule_Close(), -1) << "closing twice";
}

}  // namespace
}  // namespace varnell::testing

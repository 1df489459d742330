// What reaches the sound device: the file's tone on the right channels, at the volume set,
// from the position set.
#include <gtest/gtest.h>

#include <ostream>

#include "Media.h"
#include "PlayerTestSupport.h"
#include "testmedia/StrongestFrequency.h"

namespace varnell::testing {
namespace {

using testmedia::SampleContainer;
using testmedia::StrongestFrequencyHz;

struct SoundCase {
  const char* name;
  SampleContainer container;
  int rate;
  int channels;
  friend void PrintTo(const SoundCase& sound, std::ostream* out) { *out << sound.name; }
};

class PlaybackSoundTest : public PlayerTest, public ::testing::WithParamInterface<SoundCase> {};

TEST_P(PlaybackSoundTest, PlayedToneIsWhatTheDeviceGets) {
  const SoundCase& sound = GetParam();
  testmedia::SampleSpec spec =
      Tone(path(std::string("tone.") + sound.name), 2.0, sound.rate, sound.channels);
  spec.container = sound.container;
  ASSERT_TRUE(Open(WriteSample(spec)));
  // The device runs at the file's rate.
  EXPECT_EQ(DeviceRate(), sound.rate);
  ASSERT_EQ(PlayerModule_Start(), 0);
  Capture capture;
  Play(1.0, &capture);

  const std::vector<float> left = Sounding(capture.left);
  const std::vector<float> right = Sounding(capture.right);
  // A second played is a second of tone, from the first frame.
  EXPECT_GT(left.size(), static_cast<std::size_t>(0.98 * sound.rate));
  EXPECT_NEAR(StrongestFrequencyHz(left.data(), left.size(), sound.rate), 440.0, 3.0);
  // A mono file sounds on both channels; the second channel of a stereo file plays 880 Hz.
  EXPECT_NEAR(StrongestFrequencyHz(right.data(), right.size(), sound.rate),
              sound.channels == 1 ? 440.0 : 880.0, 3.0);
  EXPECT_NEAR(Peak(left), 0.5f, 0.06f);
}

INSTANTIATE_TEST_SUITE_P(Containers, PlaybackSoundTest,
                         ::testing::Values(SoundCase{"m4a", SampleContainer::M4a, 44100, 2},
                                           SoundCase{"mp3", SampleContainer::Mp3, 22050, 1},
                                           SoundCase{"aac", SampleContainer::Adts, 48000, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

class VolumeTest : public PlayerTest {
 protected:
  Capture playAtVolume(int volume) {
    EXPECT_TRUE(Open(WriteSample(Tone(path("tone.m4a"), 1.0))));
    EXPECT_EQ(PlayerModule_SetVolume(volume), 0);
    EXPECT_EQ(PlayerModule_Start(), 0);
    Capture capture;
    Play(0.6, &capture);
    return capture;
  }
};

TEST_F(VolumeTest, ZeroVolumeIsSilence) {
  const Capture capture = playAtVolume(0);
  EXPECT_NEAR(PositionSeconds(), 0.6, 1e-4) << "silent, but played";
  EXPECT_EQ(Peak(capture.left), 0.0f);
  EXPECT_EQ(Peak(capture.right), 0.0f);
}

TEST_F(VolumeTest, HalfVolumeHalvesTheLevel) {
  const Capture capture = playAtVolume(32768);
  EXPECT_NEAR(Peak(capture.left), 0.25f, 0.03f);
}

TEST_F(VolumeTest, VolumeOutsideTheRangeIsRefusedAndTheLastOneKept) {
  int volume = -1;
  ASSERT_EQ(PlayerModule_SetVolume(1234), 0);
  EXPECT_EQ(PlayerModule_SetVolume(-1), -1);
  EXPECT_EQ(PlayerModule_SetVolume(65536), -1);
  ASSERT_EQ(PlayerModule_GetVolume(&volume), 0);
  EXPECT_EQ(volume, 1234);
  EXPECT_EQ(PlayerModule_GetVolume(nullptr), -1);
}

// On the sound card, through SDL: the one path the pulled device stands in for elsewhere.
TEST_F(PlayerTest, SoundAfterSetPosStartsAtThatPositionOnTheSoundCard) {
  UseSoundCard();
  NotificationLog::Instance().listen();
  ASSERT_TRUE(Open(WriteSample(Tone(path("tone.m4a"), 2.0))));
  ASSERT_EQ(PlayerModule_SetPos(0.75f), 0);
  ASSERT_EQ(PlayerModule_Start(), 0);
  ASSERT_TRUE(NotificationLog::Instance().waitForEnd());
  const Capture capture = closeAndReadCapture();
  // From 1.5 s to the end of a 2 s tone: half a second of sound, whenever it started.
  EXPECT_NEAR(static_cast<double>(SoundingSpan(capture.left)) / 44100.0, 0.5, 0.03);
}

}  // namespace
}  // namespace varnell::testing

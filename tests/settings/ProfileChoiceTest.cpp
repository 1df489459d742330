#include "settings/ProfileChoice.h"

#include <gtest/gtest.h>

#include <ostream>

#include "settings/ChoiceParsers.h"
#include "settings/OutputFormats.h"
#include "settings/PresetTable.h"

namespace varnell {
namespace {

// Settings as a previous acceptance on a video preset might have left them.
OutputSettings UsedSettings() {
  OutputSettings s;
  s.audioBitRate = 64000;
  s.sampleRate = 22050;
  s.channels = 1;
  s.videoBitRate = 1000000;
  s.width = 320;
  s.height = 240;
  s.frameRateText = "29.97 fps";
  s.videoCodecName = "MPEG4";
  s.audioCodecName = "MP2";
  s.audioOnly = false;
  s.thumbnail = true;
  s.previousPresetCode = 90000;
  s.savedChoices.audioBitRate = "64 kbps";
  s.savedChoices.encoder = "MP2";
  s.savedChoices.frameSize = "320*240";
  return s;
}

void ExpectUntouchedFields(const OutputSettings& s) {
  EXPECT_EQ(s.videoBitRate, 1000000);
  EXPECT_EQ(s.width, 320);
  EXPECT_EQ(s.height, 240);
  EXPECT_EQ(s.frameRateText, "29.97 fps");
  EXPECT_EQ(s.videoCodecName, "MPEG4");
  EXPECT_EQ(s.previousPresetCode, 90000);
  EXPECT_EQ(s.savedChoices.audioBitRate, "64 kbps");
  EXPECT_EQ(s.savedChoices.encoder, "MP2");
  EXPECT_EQ(s.savedChoices.frameSize, "320*240");
}

struct ProfileCase {
  int item;
  int presetCode;
  const char* codecName;
};

void PrintTo(const ProfileCase& c, std::ostream* os) { *os << "item " << c.item; }

class ProfileChoiceTest : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileChoiceTest, SelectsPresetAndResetsAudioOnly) {
  OutputSettings s = UsedSettings();
  int currentPresetCode = 91300;
  ApplyProfileChoice(GetParam().item, s, currentPresetCode);

  EXPECT_EQ(currentPresetCode, GetParam().presetCode);
  EXPECT_TRUE(s.audioOnly);
  EXPECT_FALSE(s.thumbnail);
  EXPECT_EQ(s.audioBitRate, 128000);
  EXPECT_EQ(s.channels, 2);
  EXPECT_EQ(s.sampleRate, 44100);
  EXPECT_EQ(s.audioCodecName, GetParam().codecName);
  ExpectUntouchedFields(s);
}

INSTANTIATE_TEST_SUITE_P(BothItems, ProfileChoiceTest,
                         ::testing::Values(ProfileCase{0, kMp3PresetCode, "MP3"},
                                           ProfileCase{1, kWmaPresetCode, "WMA8"}));

// A settings dialog opened right after a profile choice must preselect the
// encoder the profile already put into the settings.
TEST(ProfileChoice, AgreesWithTheSelectedPresetsDefaults) {
  const std::vector<const char*> encoders{"MP3",    "WMA8", "AAC",  "AAC",
                                          "VORBIS", "OPUS", "FLAC", "PCM_S16LE"};
  ASSERT_EQ(ProfileFormats().size(), encoders.size());
  for (int item = 0; item < static_cast<int>(encoders.size()); ++item) {
    OutputSettings s;
    s.vbrQuality = 3;  // left by an earlier VBR choice
    s.compressionLevel = 9;
    int currentPresetCode = 0;
    ApplyProfileChoice(item, s, currentPresetCode);
    const Preset& preset = PresetOrEmpty(currentPresetCode);
    EXPECT_EQ(preset.audioOnly, s.audioOnly) << item;
    EXPECT_EQ(preset.thumbnail, s.thumbnail) << item;
    EXPECT_EQ(preset.parameter(PresetColumn::AudioEncoder).defaultChoice, s.audioCodecName) << item;
    EXPECT_EQ(ParseRate(preset.parameter(PresetColumn::AudioBitRate).defaultChoice), s.audioBitRate)
        << item;
    EXPECT_EQ(ParseRate(preset.parameter(PresetColumn::SampleRate).defaultChoice), s.sampleRate)
        << item;
    EXPECT_EQ(s.audioCodecName, encoders[static_cast<std::size_t>(item)]);
    EXPECT_EQ(s.vbrQuality, -1);
    EXPECT_EQ(s.compressionLevel, item == 6 ? 5 : -1) << item;
    EXPECT_EQ(s.sampleRate, item == 5 ? 48000 : 44100) << item;
  }
}

TEST(ProfileChoice, StartUpValuesMatchItemZero) {
  const OutputSettings startUp;
  OutputSettings applied = startUp;
  int currentPresetCode = 0;
  ApplyProfileChoice(0, applied, currentPresetCode);
  EXPECT_EQ(currentPresetCode, kMp3PresetCode);
  EXPECT_EQ(applied.audioBitRate, startUp.audioBitRate);
  EXPECT_EQ(applied.sampleRate, startUp.sampleRate);
  EXPECT_EQ(applied.channels, startUp.channels);
  EXPECT_EQ(applied.audioCodecName, startUp.audioCodecName);
  EXPECT_EQ(applied.audioOnly, startUp.audioOnly);
  EXPECT_EQ(applied.thumbnail, startUp.thumbnail);
}

TEST(ProfileChoice, OtherItemsChangeNothing) {
  for (int item : {-1, 8, 9}) {
    OutputSettings s = UsedSettings();
    int currentPresetCode = 91300;
    ApplyProfileChoice(item, s, currentPresetCode);
    EXPECT_EQ(currentPresetCode, 91300) << item;
    EXPECT_FALSE(s.audioOnly);
    EXPECT_TRUE(s.thumbnail);
    EXPECT_EQ(s.audioBitRate, 64000);
    EXPECT_EQ(s.audioCodecName, "MP2");
    ExpectUntouchedFields(s);
  }
}

}  // namespace
}  // namespace varnell

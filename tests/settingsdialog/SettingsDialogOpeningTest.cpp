#include <QImage>

#include "SettingsDialogTestSupport.h"

namespace varnell::testing {
namespace {

using Strings = std::vector<std::string>;

TEST_F(SettingsDialogTest, Mp3PresetOpensWithItsEncoderAndTheDefaultsInTheRebuiltLists) {
  settings.audioOnly = false;
  settings.thumbnail = true;
  SettingsDialog& dialog = Open(kMp3PresetCode);

  EXPECT_EQ(dialog.button(kPresetName)->text().toStdString(), "MP3 - MPEG Layer-3 Audio(*.MP3)");
  EXPECT_FALSE(dialog.button(kPresetName)->isEnabled());
  EXPECT_EQ(Items(List(kEncoder)), Strings{"MP3"});
  EXPECT_EQ(Selected(List(kEncoder)), "MP3");
  // The lists follow the encoder, not the preset, yet keep the preset's defaults.
  Strings mp3BitRates = kCommonBitRates;
  for (const char* vbr : {"VBR V0 (best)", "VBR V1", "VBR V2", "VBR V3", "VBR V4", "VBR V5",
                          "VBR V6", "VBR V7", "VBR V8", "VBR V9"})
    mp3BitRates.push_back(vbr);
  EXPECT_EQ(Items(List(kAudioBitRate)), mp3BitRates);
  EXPECT_EQ(Selected(List(kAudioBitRate)), "128 kbps");
  EXPECT_EQ(Items(List(kSampleRate)), kCommonSampleRates);
  EXPECT_EQ(Selected(List(kSampleRate)), "44100 Hz");
  EXPECT_EQ(Items(List(kChannel)), (Strings{"1 Channel Mono", "2 Channel Stereo"}));
  EXPECT_EQ(Selected(List(kChannel)), "2 Channel Stereo");
  for (int id : kVideoLists) {
    EXPECT_EQ(List(id).count(), 0) << id;
    EXPECT_FALSE(List(id).isEnabled()) << id;
    EXPECT_FALSE(List(id).isVisible()) << id;
  }
  EXPECT_TRUE(settings.audioOnly);
  EXPECT_FALSE(settings.thumbnail);
}

TEST_F(SettingsDialogTest, WmaPresetFirstSelectsWma8AndReopensOnTheAcceptedWma7) {
  Open(kWmaPresetCode);
  EXPECT_EQ(Items(List(kEncoder)), (Strings{"WMA7", "WMA8"}));
  EXPECT_EQ(Selected(List(kEncoder)), "WMA8");
  Pick(kEncoder, "WMA7");
  PressOk();
  EXPECT_EQ(settings.audioCodecName, "WMA7");

  Open(kWmaPresetCode);
  EXPECT_EQ(Selected(List(kEncoder)), "WMA7");
}

TEST_F(SettingsDialogTest,
       SavedTextsApplyOnlyOnTheAcceptedPresetAndOnlyWhereTheRebuiltListHasThem) {
  settings.previousPresetCode = kMp3PresetCode;
  settings.savedChoices = SavedAudioChoices("MP3", "32 kbps", "22050 Hz", "1 Channel Mono");
  Open(kMp3PresetCode);
  // 32 kbps is the preset's, not the encoder's, and the table's 192 is more than MP3 writes at
  // 22050 Hz: the highest rate it does.
  EXPECT_EQ(Selected(List(kAudioBitRate)), "160 kbps");
  EXPECT_EQ(Selected(List(kSampleRate)), "22050 Hz");
  EXPECT_EQ(Selected(List(kChannel)), "1 Channel Mono");

  Open(kWmaPresetCode);
  EXPECT_EQ(Selected(List(kSampleRate)), "44100 Hz");
  EXPECT_EQ(Selected(List(kChannel)), "2 Channel Stereo");
}

TEST_F(SettingsDialogTest, CodeOutsideTheTableOpensEmptyWithBothFlagsCleared) {
  settings.thumbnail = true;
  SettingsDialog& dialog = Open(12345);
  EXPECT_TRUE(dialog.button(kPresetName)->text().isEmpty());
  for (int id : {kEncoder, kAudioBitRate, kSampleRate, kChannel})
    EXPECT_EQ(List(id).count(), 0) << id;
  EXPECT_FALSE(settings.audioOnly);
  EXPECT_FALSE(settings.thumbnail);
}

TEST_F(SettingsDialogTest, PresetNameIsDrawnInRedOnItsDisabledButton) {
  SettingsDialog& dialog = Open(kMp3PresetCode);
  const QImage face = dialog.button(kPresetName)->grab().toImage();
  int redPixels = 0;
  for (int y = 0; y < face.height(); ++y) {
    for (int x = 0; x < face.width(); ++x) {
      const QColor c = face.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 90 && c.blue() < 90) ++redPixels;
    }
  }
  EXPECT_GT(redPixels, 50);
}

}  // namespace
}  // namespace varnell::testing

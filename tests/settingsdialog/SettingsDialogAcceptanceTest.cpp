#include "SettingsDialogTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>

namespace varnell::testing {
namespace {

TEST_F(SettingsDialogTest, OkAtOnceKeepsTheMp3OutputValues) {
  settings.width = 640;
  settings.height = 480;
  ASSERT_EQ(RunAndPressOk(kMp3PresetCode), QDialog::Accepted);

  EXPECT_EQ(settings.audioBitRate, 128000);
  EXPECT_EQ(settings.sampleRate, 44100);
  EXPECT_EQ(settings.channels, 2);
  EXPECT_EQ(settings.audioCodecName, "MP3");
  EXPECT_EQ(settings.width, 640);
  EXPECT_EQ(settings.height, 480);
  EXPECT_EQ(settings.previousPresetCode, kMp3PresetCode);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SettingsDialogTest, PickedBitRateIsStoredAndStaysSelectedOnReopening) {
  Open(kMp3PresetCode);
  Pick(kAudioBitRate, "192 kbps");
  Pick(kChannel, "1 Channel Mono");
  PressOk();
  EXPECT_EQ(settings.audioBitRate, 192000);
  EXPECT_EQ(settings.channels, 1);
  EXPECT_EQ(Dialog().result(), QDialog::Accepted);

  ASSERT_EQ(RunAndPressOk(kMp3PresetCode), QDialog::Accepted);
  EXPECT_EQ(settings.audioBitRate, 192000);
  EXPECT_EQ(settings.channels, 1);
  EXPECT_EQ(settings.savedChoices.audioBitRate, "192 kbps");
}

// In another language the lists show translated words; what is stored, and read back on
// reopening, is the choice text the engine parses.
TEST_F(SettingsDialogTest, TranslatedChoicesAreStoredAsTheirChoiceTexts) {
  MarkingTranslator marking;
  Open(kMp3PresetCode);
  Pick(kAudioBitRate, "VBR V0 <(best)>");
  Pick(kChannel, "<1 Channel Mono>");
  PressOk();
  EXPECT_EQ(settings.savedChoices.audioBitRate, "VBR V0 (best)");
  EXPECT_EQ(settings.savedChoices.channel, "1 Channel Mono");
  EXPECT_EQ(settings.channels, 1);

  Open(kMp3PresetCode);
  EXPECT_EQ(Selected(List(kChannel)), "<1 Channel Mono>");
  EXPECT_EQ(Selected(List(kAudioBitRate)), "VBR V0 <(best)>");
}

// The output names column opens on what is stored and OK stores it back; a pattern with a
// placeholder nobody fills is refused in words, the dialog staying open and nothing stored.
TEST_F(SettingsDialogTest, NamePatternExistingOutputAndTrashAreKeptAndReturned) {
  settings.namePattern = "{artist}/{title}";
  settings.skipExisting = true;
  settings.trashSources = true;
  SettingsDialog& dialog = Open(kMp3PresetCode);
  EXPECT_EQ(dialog.namePattern()->text(), "{artist}/{title}");
  EXPECT_EQ(Items(List(kExistingOutput)), (std::vector<std::string>{"Make a new name", "Skip"}));
  EXPECT_EQ(Selected(List(kExistingOutput)), "Skip");
  EXPECT_TRUE(dialog.trashSources()->isChecked());
  EXPECT_TRUE(dialog.namePattern()->toolTip().contains("{albumartist}"));

  dialog.namePattern()->setText("{artist}/{foo}");
  Pick(kExistingOutput, "Make a new name");
  QTest::mouseClick(dialog.trashSources(), Qt::LeftButton);
  PressOk();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_NE(messages.messages[0].find("unknown placeholder {foo}"), std::string::npos);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(settings.namePattern, "{artist}/{title}");
  EXPECT_TRUE(settings.skipExisting);

  dialog.namePattern()->setText("{album}/{track} {title}");
  PressOk();
  EXPECT_EQ(Dialog().result(), QDialog::Accepted);
  EXPECT_EQ(settings.namePattern, "{album}/{track} {title}");
  EXPECT_FALSE(settings.skipExisting);
  EXPECT_FALSE(settings.trashSources);

  Open(kMp3PresetCode);
  EXPECT_EQ(Dialog().namePattern()->text(), "{album}/{track} {title}");
  EXPECT_EQ(Selected(List(kExistingOutput)), "Make a new name");
  EXPECT_FALSE(Dialog().trashSources()->isChecked());
}

// The bit rate slot follows the encoder: an MP3 VBR item stores its quality and no rate, the
// lossless encoders grey the list (OK stores no rate), FLAC's holds its compression levels.
TEST_F(SettingsDialogTest, BitRateSlotStoresQualitiesLevelsOrNothing) {
  Open(kMp3PresetCode);
  Pick(kAudioBitRate, "VBR V2");
  PressOk();
  EXPECT_EQ(settings.vbrQuality, 2);
  EXPECT_EQ(settings.audioBitRate, 0);

  Open(90104);
  EXPECT_TRUE(List(kAudioBitRate).isEnabled());
  Pick(kEncoder, "ALAC");
  EXPECT_EQ(List(kAudioBitRate).count(), 0);
  EXPECT_FALSE(List(kAudioBitRate).isEnabled());
  EXPECT_TRUE(List(kChannel).isEnabled());
  PressOk();
  EXPECT_EQ(settings.audioCodecName, "ALAC");
  EXPECT_EQ(settings.audioBitRate, 0);
  EXPECT_EQ(settings.vbrQuality, -1);

  Open(kOpusPresetCode);
  EXPECT_FALSE(List(kSampleRate).isEnabled());
  PressOk();
  EXPECT_EQ(settings.sampleRate, 48000);

  ASSERT_EQ(RunAndPressOk(90701), QDialog::Accepted);
  EXPECT_EQ(settings.compressionLevel, 5);
  EXPECT_EQ(settings.audioCodecName, "FLAC");
}

// The hidden video lists exchange their texts like the audio ones.
TEST_F(SettingsDialogTest, VideoPresetStoresItsHiddenVideoDefaults) {
  ASSERT_EQ(RunAndPressOk(90000), QDialog::Accepted);
  EXPECT_EQ(settings.width, 320);
  EXPECT_EQ(settings.height, 240);
  EXPECT_EQ(settings.frameRateText, "29.97 fps");
  EXPECT_EQ(settings.videoBitRate, 1000000);
  EXPECT_EQ(settings.videoCodecName, "MPEG4");
  EXPECT_EQ(settings.audioCodecName, "MP3");
  EXPECT_FALSE(settings.audioOnly);
}

}  // namespace
}  // namespace varnell::testing

#include <QAccessible>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "SettingsDialogTestSupport.h"
#include "controls/ControlAccessibility.h"
#include "controls/DialogUnits.h"
#include "controls/LayoutTabOrder.h"

namespace varnell::testing {
namespace {

// A new encoder keeps each of the three choices its own lists also hold; only one it lacks
// falls back to the table's selection.
TEST_F(SettingsDialogTest, EncoderChangeKeepsTheChoicesTheNewEncoderAlsoTakes) {
  Open(kWmaPresetCode);
  Pick(kAudioBitRate, "64 kbps");
  Pick(kSampleRate, "48000 Hz");
  Pick(kChannel, "1 Channel Mono");
  Pick(kEncoder, "WMA7");

  EXPECT_EQ(Items(List(kAudioBitRate)), kCommonBitRates);
  EXPECT_EQ(Selected(List(kAudioBitRate)), "64 kbps");
  EXPECT_EQ(Items(List(kSampleRate)), kCommonSampleRates);
  EXPECT_EQ(Selected(List(kSampleRate)), "48000 Hz");
  EXPECT_EQ(Selected(List(kChannel)), "1 Channel Mono");
  PressOk();
  EXPECT_EQ(settings.audioBitRate, 64000);
  EXPECT_EQ(settings.sampleRate, 48000);
  EXPECT_EQ(settings.channels, 1);
  EXPECT_EQ(settings.audioCodecName, "WMA7");

  // AAC in 5.1 at 96 kHz to ALAC, which has those but no bit rate, and back: the rate the
  // lossless encoder could not keep is the table's again.
  Open(90104);
  Pick(kAudioBitRate, "96 kbps");
  Pick(kSampleRate, "96000 Hz");
  Pick(kChannel, "5.1 Channel");
  Pick(kEncoder, "ALAC");
  EXPECT_EQ(List(kAudioBitRate).count(), 0);
  EXPECT_FALSE(List(kAudioBitRate).isEnabled());
  EXPECT_EQ(Selected(List(kSampleRate)), "96000 Hz");
  EXPECT_EQ(Selected(List(kChannel)), "5.1 Channel");
  Pick(kEncoder, "AAC");
  EXPECT_EQ(Selected(List(kAudioBitRate)), "128 kbps");
  EXPECT_EQ(Selected(List(kSampleRate)), "96000 Hz");
  EXPECT_EQ(Selected(List(kChannel)), "5.1 Channel");
}

// LAME writes at most 160 kb/s at 22050 Hz and would quietly give that for 320: the list holds
// only what the sample rate takes, and a rate it loses becomes the highest left.
TEST_F(SettingsDialogTest, Mp3BitRatesFollowTheSampleRate) {
  Open(kMp3PresetCode);
  Pick(kAudioBitRate, "320 kbps");
  Pick(kSampleRate, "22050 Hz");
  EXPECT_EQ(Items(List(kAudioBitRate)).front(), "64 kbps");
  EXPECT_EQ(Items(List(kAudioBitRate))[3], "160 kbps");
  EXPECT_EQ(Items(List(kAudioBitRate))[4], "VBR V0 (best)");
  EXPECT_EQ(Selected(List(kAudioBitRate)), "160 kbps");
  Pick(kAudioBitRate, "96 kbps");
  Pick(kSampleRate, "44100 Hz");
  EXPECT_EQ(Items(List(kAudioBitRate))[6], "320 kbps");
  EXPECT_EQ(Selected(List(kAudioBitRate)), "96 kbps");
  Pick(kSampleRate, "22050 Hz");
  Pick(kChannel, "1 Channel Mono");
  PressOk();
  EXPECT_EQ(settings.audioBitRate, 96000);
  EXPECT_EQ(settings.sampleRate, 22050);

  // Choices saved before the lists followed the rate open on what the encoder can write.
  settings.savedChoices = SavedAudioChoices("MP3", "320 kbps", "22050 Hz", "1 Channel Mono");
  ASSERT_EQ(RunAndPressOk(kMp3PresetCode), QDialog::Accepted);
  EXPECT_EQ(settings.audioBitRate, 160000);
  EXPECT_EQ(settings.sampleRate, 22050);
}

TEST_F(SettingsDialogTest, EnterPressesAFocusedButtonElseOk) {
  SettingsDialog& cancelled = Open(kMp3PresetCode);
  QTest::keyClick(cancelled.button(kCancel), Qt::Key_Enter);
  EXPECT_EQ(cancelled.result(), QDialog::Rejected);
  EXPECT_EQ(settings.previousPresetCode, 0);

  // From the name pattern and from a list, whose own Enter handling passes the key on.
  SettingsDialog& fromPattern = Open(kMp3PresetCode);
  QTest::keyClick(fromPattern.findChild<QLineEdit*>(QString::number(kNamePattern)), Qt::Key_Return);
  EXPECT_EQ(fromPattern.result(), QDialog::Accepted);

  SettingsDialog& fromList = Open(kWmaPresetCode);
  Pick(kAudioBitRate, "64 kbps");
  QTest::keyClick(&List(kAudioBitRate), Qt::Key_Return);
  EXPECT_FALSE(fromList.isVisible());
  EXPECT_EQ(fromList.result(), QDialog::Accepted);
  EXPECT_EQ(settings.previousPresetCode, kWmaPresetCode);
  EXPECT_EQ(settings.audioBitRate, 64000);
}

TEST_F(SettingsDialogTest, EscapeCancelsAndStoresOnlyTheOpeningFlags) {
  settings.audioOnly = false;
  SettingsDialog& dialog = Open(kWmaPresetCode);
  Pick(kAudioBitRate, "320 kbps");
  QTest::keyClick(&List(kAudioBitRate), Qt::Key_Escape);

  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(settings.audioBitRate, 128000);
  EXPECT_EQ(settings.audioCodecName, "MP3");
  EXPECT_EQ(settings.previousPresetCode, 0);
  EXPECT_TRUE(settings.audioOnly);
}

TEST_F(SettingsDialogTest, DefaultReselectsThePresetsDefaultsOverTheSavedChoices) {
  settings.previousPresetCode = kWmaPresetCode;
  settings.savedChoices = SavedAudioChoices("WMA7", "256 kbps", "48000 Hz", "1 Channel Mono");
  SettingsDialog& dialog = Open(kWmaPresetCode);
  ASSERT_EQ(Selected(List(kAudioBitRate)), "256 kbps");
  dialog.button(kDefault)->click();

  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(Selected(List(kEncoder)), "WMA8");
  EXPECT_EQ(Selected(List(kAudioBitRate)), "128 kbps");
  EXPECT_EQ(Selected(List(kSampleRate)), "44100 Hz");
  EXPECT_EQ(Selected(List(kChannel)), "2 Channel Stereo");
  EXPECT_EQ(settings.previousPresetCode, kWmaPresetCode);
  EXPECT_EQ(settings.savedChoices.encoder, "WMA7");
}

TEST_F(SettingsDialogTest, DraggingAFreePointOrACaptionMovesTheWholeDialog) {
  SettingsDialog& dialog = Open(kMp3PresetCode);
  dialog.move(100, 100);
  // Between the group box and the buttons, then on the "Channel:" caption.
  const QPoint freePoint = DialogUnitsToPixels(60, 147, 0, 0, TemplateFont::Shell8pt).topLeft();
  const QPoint caption = DialogUnitsToPixels(20, 126, 0, 0, TemplateFont::Shell8pt).topLeft();
  for (const QPoint& start : {freePoint, caption}) {
    const QPoint before = dialog.pos();
    QWidget* target = dialog.childAt(start) ? dialog.childAt(start) : &dialog;
    const QPoint local = target->mapFrom(&dialog, start);
    QTest::mousePress(target, Qt::LeftButton, {}, local);
    QTest::mouseMove(target, local + QPoint(30, 20));
    QTest::mouseRelease(target, Qt::LeftButton, {}, local + QPoint(30, 20));
    EXPECT_EQ(dialog.pos(), before + QPoint(30, 20)) << start.x() << "," << start.y();
  }
}

// A screen reader reads each list and the name box by the caption beside it, not by its value.
TEST_F(SettingsDialogTest, ScreenReadersReadEachControlByItsCaption) {
  InstallControlAccessibility();
  SettingsDialog& dialog = Open(kMp3PresetCode);
  const std::pair<QWidget*, const char*> names[] = {
      {&List(kEncoder), "Encoder"},
      {&List(kAudioBitRate), "Bit Rate"},
      {&List(kSampleRate), "Sample Rate"},
      {&List(kChannel), "Channel"},
      {&List(kExistingOutput), "If the output exists"},
      {dialog.namePattern(), "Name pattern"},
  };
  for (const auto& [control, name] : names)
    EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).toStdString(),
              name);
}

// Tab goes down the audio group, then down the output names column, then along the buttons.
TEST_F(SettingsDialogTest, TabGoesDownOneColumnBeforeTheNext) {
  SettingsDialog& dialog = Open(kMp3PresetCode);
  std::vector<QWidget*> reached;
  for (QWidget* control : ReadingOrder(dialog)) {
    if (!control->isHidden() && control->isEnabled()) reached.push_back(control);
  }
  const std::vector<QWidget*> expected{
      &List(kEncoder),      &List(kAudioBitRate),   &List(kSampleRate),    &List(kChannel),
      dialog.namePattern(), &List(kExistingOutput), dialog.trashSources(), dialog.button(kDefault),
      dialog.button(kOk),   dialog.button(kCancel)};
  EXPECT_EQ(reached, expected);
}

}  // namespace
}  // namespace varnell::testing

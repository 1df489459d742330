// The row's range on the slider and in the labels, Set Begin / Set End / Reset, and what OK,
// Cancel, Esc and the close box give back.
#include <QTest>

#include "ClipDialogFixture.h"
#include "controls/BitmapResource.h"
#include "controls/DialogUnits.h"
#include "engine/ClipTime.h"
#include "playermodule/PlayerModule.h"

namespace varnell::testing {
namespace {

using namespace clip_dialog;

QString Text(ClipDialog& dialog, int id) { return dialog.timeLabel(id)->text(); }
QString Clock(std::int64_t seconds) { return QString::fromStdString(FormatClipTime(seconds)); }

TEST_F(ClipDialogTest, ShowingTakesTheRowsRangeIntoTheLabelsAndMarks) {
  ClipDialog dialog;
  const std::string file = Tone("tone.m4a", 4.0);
  Edit(dialog, Row(file, "00:00:01", "00:00:03", "4.0"), [&] {
    EXPECT_EQ(Text(dialog, kBeginLabel), "00:00:01");
    EXPECT_EQ(Text(dialog, kEndLabel), "00:00:03");
    EXPECT_EQ(Text(dialog, kCutLabel), "00:00:02");
    BitmapSlider* position = dialog.slider(kPositionSlider);
    EXPECT_EQ(position->GetMaximum(), 1000);
    EXPECT_EQ(position->beginMark(), 250);
    EXPECT_EQ(position->endMark(), 750);
    EXPECT_EQ(position->markMode(), 2);
  });
}

TEST_F(ClipDialogTest, ARowWithoutDurationKeepsTheMarksAtTheStart) {
  ClipDialog dialog;
  const std::string file = Tone("tone.m4a", 3.0);
  for (const QString& duration : {QString("0"), QString(""), QString("0.4")}) {
    Edit(dialog, Row(file, "00:00:01", "00:00:02", duration), [&] {
      BitmapSlider* position = dialog.slider(kPositionSlider);
      EXPECT_EQ(position->beginMark(), 0) << duration.toStdString();
      EXPECT_EQ(position->endMark(), 0) << duration.toStdString();
      EXPECT_EQ(Text(dialog, kCutLabel), "00:00:01");
      dialog.OnReset();
      EXPECT_EQ(Text(dialog, kEndLabel), "00:00:00");
    });
  }
}

TEST_F(ClipDialogTest, SetBeginSetEndAndResetKeepLabelsAndMarksInStep) {
  ClipDialog dialog;
  const std::string file = Tone("tone.m4a", 10.0);
  Edit(dialog, Row(file, "00:00:00", "00:00:10", "10.0"), [&] {
    BitmapSlider* position = dialog.slider(kPositionSlider);

    PauseAt(dialog, 300);
    const int begin = dialog.currentSeconds();
    const int beginValue = position->GetValue();
    ASSERT_GE(begin, 2);
    dialog.OnSetBeginTime();
    EXPECT_EQ(Text(dialog, kBeginLabel), Clock(begin));
    EXPECT_EQ(Text(dialog, kEndLabel), "00:00:10");
    EXPECT_EQ(Text(dialog, kCutLabel), Clock(10 - begin));
    EXPECT_EQ(position->beginMark(), beginValue);
    EXPECT_EQ(position->markMode(), 1);

    PauseAt(dialog, 700);
    const int end = dialog.currentSeconds();
    const int endValue = position->GetValue();
    ASSERT_GT(end, begin);
    dialog.OnSetEndTime();
    EXPECT_EQ(Text(dialog, kBeginLabel), Clock(begin));
    EXPECT_EQ(Text(dialog, kEndLabel), Clock(end));
    EXPECT_EQ(Text(dialog, kCutLabel), Clock(end - begin));
    EXPECT_EQ(position->beginMark(), beginValue);
    EXPECT_EQ(position->endMark(), endValue);
    EXPECT_EQ(position->markMode(), 2);

    dialog.OnReset();
    EXPECT_EQ(Text(dialog, kBeginLabel), "00:00:00");
    EXPECT_EQ(Text(dialog, kEndLabel), "00:00:10");
    EXPECT_EQ(Text(dialog, kCutLabel), "00:00:10");
    EXPECT_EQ(position->beginMark(), 0);
    EXPECT_EQ(position->endMark(), 0);
    EXPECT_EQ(position->markMode(), 0);
  });
}

TEST_F(ClipDialogTest, AnEndBeforeTheBeginExchangesTheTwo) {
  ClipDialog dialog;
  const std::string file = Tone("tone.m4a", 10.0);
  Edit(dialog, Row(file, "00:00:00", "00:00:10", "10.0"), [&] {
    BitmapSlider* position = dialog.slider(kPositionSlider);
    PauseAt(dialog, 700);
    const int begin = dialog.currentSeconds();
    const int beginValue = position->GetValue();
    dialog.OnSetBeginTime();

    PauseAt(dialog, 200);
    const int end = dialog.currentSeconds();
    const int endValue = position->GetValue();
    ASSERT_LT(end, begin);
    dialog.OnSetEndTime();
    EXPECT_EQ(Text(dialog, kBeginLabel), Clock(end));
    EXPECT_EQ(Text(dialog, kEndLabel), Clock(begin));
    EXPECT_EQ(Text(dialog, kCutLabel), Clock(begin - end));
    EXPECT_EQ(position->beginMark(), endValue);
    EXPECT_EQ(position->endMark(), beginValue);
    EXPECT_LE(position->beginMark(), position->endMark());
  });
}

TEST_F(ClipDialogTest, OkGivesTheLabelsBackAndEveryWayOutHandsThePlayerBack) {
  ClipDialog dialog;
  int handedBack = 0;
  dialog.handBackPlayer = [&] { ++handedBack; };
  const std::string file = Tone("tone.m4a", 4.0);
  const ClipRow row = Row(file, "00:00:01", "00:00:03", "4.0");

  const EditResult ok = Edit(dialog, row, [&] {
    dialog.OnReset();
    QTest::mouseClick(dialog.pushButton(kOk), Qt::LeftButton);
  });
  ASSERT_TRUE(ok.has_value());
  EXPECT_EQ(ok->first, "00:00:00");
  EXPECT_EQ(ok->second, "00:00:04");
  EXPECT_EQ(handedBack, 1);
  float fraction = 0;
  EXPECT_NE(PlayerModule_GetPos(&fraction), 0) << "the file is closed when the dialog ends";

  EXPECT_FALSE(Edit(dialog, row, [&] {
    dialog.OnReset();
    QTest::mouseClick(dialog.pushButton(kCancel), Qt::LeftButton);
  }));
  EXPECT_FALSE(Edit(dialog, row, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }));
  // Enter presses the focused button, OK or Cancel alike, and ends nothing from elsewhere.
  EXPECT_FALSE(Edit(dialog, row, [&] {
    QTest::keyClick(dialog.pushButton(kSetBegin), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(dialog.pushButton(kCancel), Qt::Key_Return);
  }));
  EXPECT_TRUE(Edit(dialog, row, [&] {
    QTest::keyClick(dialog.pushButton(kOk), Qt::Key_Enter, Qt::KeypadModifier);
  }));
  EXPECT_FALSE(Edit(dialog, row, [&] { dialog.close(); }));
  EXPECT_EQ(handedBack, 6);

  // Each opening starts from the row again, not from what the last one left.
  Edit(dialog, row, [&] { EXPECT_EQ(Text(dialog, kBeginLabel), "00:00:01"); });
  // Opened for the next selected row, the caption names that row's file.
  Edit(dialog, Row(Tone("next song.m4a", 2.0), "", "", "2.0"),
       [&] { EXPECT_EQ(dialog.windowTitle(), "Clip - next song.m4a"); });
}

TEST_F(ClipDialogTest, TheArtworkFitsTheTemplate) {
  ClipDialog dialog;
  EXPECT_EQ(dialog.size(),
            DialogUnitsToPixels(QSize(kWidthUnits, kHeightUnits), TemplateFont::Shell8pt));
  EXPECT_EQ(LoadBitmapResource(311).size(), dialog.size());
  Edit(dialog, Row(Tone("tone.m4a", 2.0), "", "", "2.0"), [&] {
    const QRect slider = DialogUnitsToPixels(3, 162, 278, 13, TemplateFont::Shell8pt);
    EXPECT_EQ(dialog.slider(kPositionSlider)->geometry(), slider);
    EXPECT_EQ(dialog.windowTitle(), "Clip - tone.m4a");
    EXPECT_FALSE(dialog.skinButton(kVolume)->isVisible());
    EXPECT_FALSE(dialog.slider(kVolumeSlider)->isVisible());
    EXPECT_EQ(dialog.pushButton(kReset)->toolTip(), "Reset Time");
  });
}

}  // namespace
}  // namespace varnell::testing

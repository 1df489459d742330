// Play / Pause / Stop, opening, the end of playback and the picture.
#include "ClipDialogFixture.h"
#include "clip/ClipPreviewArea.h"
#include "controls/BitmapResource.h"
#include "playermodule/PlayerModule.h"

namespace varnell::testing {
namespace {

using namespace clip_dialog;
using Action = ClipDialog::PlayAction;

TEST_F(ClipDialogTest, OpeningPlaysAtOnceAndPlayPauseStopMoveThroughTheStates) {
  ClipDialog dialog;
  const std::string file = Tone("tone.m4a", 6.0);
  Edit(dialog, Row(file, "00:00:00", "00:00:06", "6.0"), [&] {
    EXPECT_EQ(dialog.playAction(), Action::Pause);
    EXPECT_EQ(dialog.playLook(), 310);
    EXPECT_EQ(dialog.skinButton(kPlay)->toolTip(), "Pause");
    EXPECT_TRUE(dialog.positionTimerActive());
    EXPECT_TRUE(dialog.pictureTimerActive());
    EXPECT_TRUE(dialog.slider(kPositionSlider)->isEnabled());
    EXPECT_GT(Play(0.6), 0);
    ASSERT_TRUE(ShowsThePosition(dialog));
    EXPECT_NEAR(dialog.slider(kPositionSlider)->GetValue(), 100, 1);

    dialog.OnPlayPause();  // pause: the timers keep running
    EXPECT_EQ(dialog.playAction(), Action::Play);
    EXPECT_EQ(dialog.playLook(), 302);
    EXPECT_EQ(dialog.skinButton(kPlay)->toolTip(), "Play");
    EXPECT_TRUE(dialog.positionTimerActive());
    EXPECT_TRUE(dialog.slider(kPositionSlider)->isEnabled());
    EXPECT_EQ(Play(0.6), 0) << "paused: nothing plays";
    ASSERT_TRUE(ShowsThePosition(dialog));
    EXPECT_NEAR(dialog.slider(kPositionSlider)->GetValue(), 100, 1);

    dialog.OnPlayPause();  // resumes where it was, without reopening
    EXPECT_EQ(dialog.playAction(), Action::Pause);
    EXPECT_GT(Play(0.6), 0);
    ASSERT_TRUE(ShowsThePosition(dialog));
    EXPECT_NEAR(dialog.slider(kPositionSlider)->GetValue(), 200, 1);

    dialog.OnStop();
    EXPECT_EQ(dialog.playAction(), Action::Play);
    EXPECT_EQ(dialog.playLook(), 302);
    EXPECT_FALSE(dialog.positionTimerActive());
    EXPECT_FALSE(dialog.pictureTimerActive());
    EXPECT_FALSE(dialog.slider(kPositionSlider)->isEnabled());
    EXPECT_EQ(dialog.slider(kPositionSlider)->GetValue(), 0);
    EXPECT_TRUE(dialog.skinButton(kPlay)->isEnabled());
  });
}

TEST_F(ClipDialogTest, SeekingWhilePausedPlaysOnAndThePlayButtonSaysSo) {
  ClipDialog dialog;
  const std::string file = Tone("tone.m4a", 8.0);
  Edit(dialog, Row(file, "00:00:00", "00:00:08", "8.0"), [&] {
    dialog.OnPlayPause();
    ASSERT_EQ(dialog.playAction(), Action::Play);
    dialog.slider(kPositionSlider)->SetValue(500);
    dialog.OnSeek(kPositionSlider);
    EXPECT_EQ(dialog.playAction(), Action::Pause);
    EXPECT_EQ(dialog.playLook(), 310);
    EXPECT_EQ(dialog.skinButton(kPlay)->toolTip(), "Pause");
    EXPECT_EQ(dialog.currentSeconds(), 4);
    EXPECT_GT(Play(0.8), 0) << "plays on";
    ASSERT_TRUE(ShowsThePosition(dialog));
    EXPECT_NEAR(dialog.slider(kPositionSlider)->GetValue(), 600, 1);
    dialog.OnPlayPause();  // the next press pauses what plays
    EXPECT_EQ(Play(0.8), 0);
    EXPECT_EQ(dialog.playLook(), 302);

    dialog.OnSeek(kVolumeSlider);  // only the position slider seeks
    EXPECT_GT(dialog.slider(kPositionSlider)->GetValue(), 500);
  });
}

TEST_F(ClipDialogTest, AfterTheEndOfTheFileThePlayerSliderAndTimesAllSayTheStart) {
  ClipDialog dialog;
  const std::string file = Tone("short.m4a", 2.6);
  Edit(dialog, Row(file, "00:00:00", "00:00:02", "2.6"), [&] {
    ASSERT_EQ(dialog.playAction(), Action::Pause);
    dialog.slider(kPositionSlider)->SetValue(900);
    dialog.OnSeek(kPositionSlider);
    Play(0.1);
    ASSERT_TRUE(ShowsThePosition(dialog));
    EXPECT_TRUE(dialog.positionTimerActive()) << "still playing";
    ASSERT_EQ(dialog.currentSeconds(), 2);
    Play(0.5);
    EXPECT_TRUE(WaitUntil([&] { return !dialog.positionTimerActive(); }));
    EXPECT_EQ(dialog.playAction(), Action::Play);
    EXPECT_EQ(dialog.playLook(), 302);
    EXPECT_FALSE(dialog.slider(kPositionSlider)->isEnabled());

    float fraction = -1.0f;
    ASSERT_EQ(PlayerModule_GetPos(&fraction), 0);
    EXPECT_EQ(fraction, 0.0f);
    EXPECT_EQ(dialog.slider(kPositionSlider)->GetValue(), 0);
    EXPECT_EQ(dialog.currentSeconds(), 0);
    dialog.OnSetBeginTime();
    EXPECT_EQ(dialog.timeLabel(kBeginLabel)->text(), "00:00:00");
    EXPECT_EQ(dialog.timeLabel(kCutLabel)->text(), "00:00:02");
    EXPECT_EQ(dialog.slider(kPositionSlider)->beginMark(), 0);
  });
}

TEST_F(ClipDialogTest, AFileThatFailsToOpenAfterAGoodOneDoesNotStart) {
  ClipDialog dialog;
  Edit(dialog, Row(Tone("tone.m4a", 3.0), "00:00:00", "00:00:03", "3.0"),
       [&] { EXPECT_EQ(dialog.playAction(), Action::Pause); });

  const std::string missing = folder_ / "missing.m4a";
  Edit(dialog, Row(missing, "00:00:00", "00:00:03", "3.0"), [&] {
    EXPECT_EQ(dialog.playAction(), Action::Play);
    EXPECT_EQ(dialog.playLook(), 302);
    EXPECT_FALSE(dialog.slider(kPositionSlider)->isEnabled());
    dialog.OnPlayPause();
    EXPECT_EQ(dialog.playAction(), Action::Play);
    EXPECT_EQ(dialog.playLook(), 302);
    float fraction = -1.0f;
    EXPECT_NE(PlayerModule_GetPos(&fraction), 0) << "no file may be open to start";
  });
}

TEST_F(ClipDialogTest, StopWithNothingSelectedInTheTaskListDisablesTheTransport) {
  ClipDialog dialog;
  dialog.taskListHasSelection = [] { return false; };
  Edit(dialog, Row(Tone("tone.m4a", 3.0), "00:00:00", "00:00:03", "3.0"), [&] {
    dialog.OnStop();
    EXPECT_EQ(dialog.playLook(), 301);
    EXPECT_FALSE(dialog.skinButton(kPlay)->isEnabled());
    EXPECT_FALSE(dialog.skinButton(kStop)->isEnabled());
  });
}

// A square cover in the wide preview keeps its shape: as high as the area, in its middle, the
// sides black; stretched, its red left and green right edges would reach the area's sides.
TEST_F(ClipDialogTest, ACoverKeepsItsShapeInTheMiddleOfThePreviewAndStopClearsIt) {
  ClipDialog dialog;
  const std::string file = Tone("cover.m4a", 6.0, true, 240, 240);
  Edit(dialog, Row(file, "00:00:01", "00:00:05", "6.0"), [&] {
    EXPECT_TRUE(dialog.hasPicture());
    ClipPreviewArea* preview = dialog.previewArea();
    ASSERT_TRUE(WaitUntil([&] { return !preview->picture().isNull(); }));
    const QRect area = preview->geometry();
    EXPECT_EQ(preview->picture().size(), QSize(area.height(), area.height()))
        << "asked of the player at the size it is drawn";
    const QRect picture = preview->pictureRect().translated(area.topLeft());
    EXPECT_EQ(picture.size(), QSize(area.height(), area.height()));
    EXPECT_LE(std::abs(picture.center().x() - area.center().x()), 1);

    const QImage shot = dialog.grab().toImage();
    const auto colour = [&](QPoint point) { return QColor(shot.pixel(point)); };
    for (const QPoint side : {QPoint(area.left() + 10, area.center().y()),
                              QPoint(area.right() - 10, area.center().y())})
      EXPECT_EQ(colour(side), QColor(Qt::black)) << side.x() << "," << side.y();
    const QColor topLeft = colour(picture.topLeft() + QPoint(4, 4));
    EXPECT_TRUE(topLeft.red() > 120 && topLeft.green() < 70) << topLeft.name().toStdString();
    const QColor topRight = colour(picture.topRight() + QPoint(-4, 4));
    EXPECT_TRUE(topRight.green() > 150 && topRight.red() < 140) << topRight.name().toStdString();

    dialog.OnStop();
    EXPECT_TRUE(preview->picture().isNull());
  });
}

}  // namespace
}  // namespace varnell::testing

// Listening to a row from the main window, with the player library playing for real on its
// pulled device: playback goes exactly as far as the test plays it.
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <cmath>

#include "MainWindowFixture.h"
#include "playermodule/PlayerModule.h"
#include "playermodule/PlayerModuleTesting.h"

namespace varnell {
namespace {

using namespace main_window;
using testing::MainWindowTest;

class MainWindowPreview : public MainWindowTest {
 protected:
  void SetUp() override { PlayerModuleTesting_UsePulledDevice(1); }
  void TearDown() override { PlayerModuleTesting_UsePulledDevice(0); }
  // The limit only keeps a broken window from hanging the run.
  bool WaitFor(const std::function<bool()>& condition, int milliseconds = 30000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
      if (timer.elapsed() > milliseconds) return false;
      QTest::qWait(10);
    }
    return true;
  }
  static double Position() {
    float fraction = -1;
    PlayerModule_GetPos(&fraction);
    return fraction;
  }
  // Plays `seconds` of the open file; returns the frames played (0 while paused or stopped).
  static int Play(double seconds) {
    int rate = 0;
    if (PlayerModuleTesting_GetDeviceRate(&rate) != 0) return -1;
    return PlayerModuleTesting_Pull(nullptr, static_cast<int>(std::lround(seconds * rate)));
  }
  static double Duration() {
    double seconds = -1;
    PlayerModule_GetDuration(&seconds);
    return seconds;
  }
  QString PlayTip() { return Window().button(kPlay)->toolTip(); }
};

TEST_F(MainWindowPreview, PlayPauseAndStopFollowTheStateMachine) {
  AddThroughDialog({Recording("short.m4a", 3.0), Recording("long.m4a", 8.0)});
  Window().PlayPause();  // nothing selected: nothing happens
  EXPECT_FALSE(Window().isPreviewPlaying());
  EXPECT_FALSE(Window().previewOpened());

  List().SelectAndFocusRow(0);
  List().SelectAndFocusRow(1);
  Window().PlayPause();  // two rows selected: the last one plays
  EXPECT_TRUE(Window().isPreviewPlaying());
  EXPECT_EQ(PlayTip(), "Pause");
  EXPECT_TRUE(Window().slider(kPositionSlider)->isEnabled());
  EXPECT_NEAR(Duration(), 8.0, 0.1);
  EXPECT_GT(Play(0.8), 0);
  EXPECT_NEAR(Position(), 0.1, 0.001);

  Window().PlayPause();  // pause
  EXPECT_FALSE(Window().isPreviewPlaying());
  EXPECT_EQ(PlayTip(), "Play");
  EXPECT_EQ(Play(0.8), 0) << "paused: nothing plays";
  EXPECT_NEAR(Position(), 0.1, 0.001);
  Window().PlayPause();  // resumes without reopening: the position goes on from where it was
  EXPECT_TRUE(Window().isPreviewPlaying());
  EXPECT_GT(Play(0.8), 0);
  EXPECT_NEAR(Position(), 0.2, 0.001);

  Window().StopPreview();
  EXPECT_FALSE(Window().isPreviewPlaying());
  EXPECT_EQ(PlayTip(), "Play");
  EXPECT_FALSE(Window().slider(kPositionSlider)->isEnabled());
  EXPECT_EQ(Window().slider(kPositionSlider)->GetValue(), 0);
  EXPECT_TRUE(Enabled(kPlay));  // a row is still selected

  List().clearSelection();
  Window().StopPreview();
  EXPECT_FALSE(Enabled(kPlay));
  EXPECT_FALSE(Enabled(kStop));
}

TEST_F(MainWindowPreview, SeekingWhilePausedResumesAtTheSliderPlaceAndThePlayButtonSaysSo) {
  AddThroughDialog({Recording("seek.m4a", 10.0)});
  List().SelectAndFocusRow(0);
  Window().PlayPause();
  Window().PlayPause();
  ASSERT_FALSE(Window().isPreviewPlaying());
  Window().SliderMoved(kPositionSlider, 500);
  EXPECT_NEAR(Position(), 0.5, 0.001);
  EXPECT_GT(Play(1.0), 0) << "playing again";
  EXPECT_NEAR(Position(), 0.6, 0.001);
  EXPECT_TRUE(Window().isPreviewPlaying());
  EXPECT_EQ(PlayTip(), "Pause");
  EXPECT_EQ(Window().playLook(), 310);
  Window().PlayPause();  // so the next press pauses what plays
  EXPECT_EQ(Play(1.0), 0);
  EXPECT_EQ(PlayTip(), "Play");
}

TEST_F(MainWindowPreview, ThePlayerPlaysAtTheVolumeTheSliderShows) {
  PlayerModule_SetVolume(65535);  // what an earlier window may have left in the one player
  AddThroughDialog({Recording("quiet.m4a", 2.0)});
  List().SelectAndFocusRow(0);
  ASSERT_EQ(Window().slider(kVolumeSlider)->GetValue(), 30000);
  Window().PlayPause();  // the first Play, before the slider was ever moved
  ASSERT_TRUE(Window().isPreviewPlaying());
  int volume = -1;
  PlayerModule_GetVolume(&volume);
  EXPECT_EQ(volume, 30000);

  Window().SliderMoved(kVolumeSlider, 80000);
  EXPECT_EQ(Window().previewVolume(), 65535);
  PlayerModule_GetVolume(&volume);
  EXPECT_EQ(volume, 65535);
  Window().SliderMoved(kVolumeSlider, 30000);
  PlayerModule_GetVolume(&volume);
  EXPECT_EQ(volume, 30000);
}

TEST_F(MainWindowPreview, AfterABatchASelectedRowPlaysAndStops) {
  AddThroughDialog({Recording("first.m4a", 2.0), Recording("second.m4a", 2.0)});
  List().SelectAndFocusRow(0);
  Window().PlayPause();  // the preview has been heard once
  ASSERT_TRUE(Window().isPreviewPlaying());
  List().clearSelection();
  messages.answers = {MessageChoice::Cancel};
  Window().StartConverting();
  ASSERT_EQ(List().GetItemText(1, TaskListView::kStatus), "Completed");
  EXPECT_FALSE(Enabled(kPlay));
  EXPECT_FALSE(Enabled(kStop));
  EXPECT_EQ(Window().playLook(), 301);
  EXPECT_EQ(Window().stopLook(), 303);

  QTest::keyClick(&List(), Qt::Key_Down);  // selecting by keyboard
  ASSERT_EQ(List().SelectedRows(), std::vector<int>{1});
  EXPECT_TRUE(Enabled(kPlay));
  EXPECT_TRUE(Enabled(kStop));
  EXPECT_EQ(Window().playLook(), 302);
  EXPECT_EQ(Window().stopLook(), 304);

  QTest::mouseClick(Window().button(kPlay), Qt::LeftButton);
  ASSERT_TRUE(Window().isPreviewPlaying());
  EXPECT_EQ(Window().playLook(), 310);
  EXPECT_TRUE(Enabled(kStop));
  EXPECT_EQ(Window().stopLook(), 304);
  EXPECT_GT(Play(0.4), 0);
  QTest::mouseClick(Window().button(kStop), Qt::LeftButton);
  EXPECT_FALSE(Window().isPreviewPlaying());
  EXPECT_EQ(Play(0.4), -1) << "stopped and closed";
  EXPECT_EQ(Window().playLook(), 302);

  QTest::mouseClick(Window().button(kPlay), Qt::LeftButton);
  ASSERT_TRUE(Window().isPreviewPlaying());
  QTest::keyClick(&List(), Qt::Key_Delete);  // like Remove, the key stops what it removes
  EXPECT_FALSE(Window().isPreviewPlaying());
  EXPECT_EQ(Play(0.4), -1) << "stopped and closed";
  EXPECT_TRUE(Enabled(kStop));  // the next row is selected in its place
  QTest::keyClick(&List(), Qt::Key_Delete);  // the last row goes: nothing left to play
  ASSERT_EQ(List().GetItemCount(), 0);
  EXPECT_FALSE(Enabled(kPlay));
  EXPECT_FALSE(Enabled(kStop));
}

TEST_F(MainWindowPreview, ThePositionSliderFollowsThePlayerButNotWhileHeld) {
  AddThroughDialog({Recording("long.m4a", 8.0)});
  List().SelectAndFocusRow(0);
  Window().PlayPause();
  BitmapSlider* position = Window().slider(kPositionSlider);
  EXPECT_GT(Play(0.8), 0);
  EXPECT_TRUE(WaitFor([position] { return std::abs(position->GetValue() - 100) <= 1; }))
      << "timer 100";

  // The user holds the thumb: it stays in the hand while the sound plays on.
  const QPoint thumb(position->ValueToPixel(100), position->height() / 2);
  QTest::mousePress(position, Qt::LeftButton, {}, thumb);
  ASSERT_TRUE(position->isDragging());
  const int held = position->GetValue();
  EXPECT_GT(Play(0.8), 0);
  Window().PreviewPositionTick();
  EXPECT_EQ(position->GetValue(), held);
  QTest::mouseRelease(position, Qt::LeftButton, {}, thumb);
  Window().PreviewPositionTick();
  EXPECT_NEAR(position->GetValue(), 200, 1);

  Window().StopPreview();
  EXPECT_FALSE(Window().isPreviewPositionTimerActive());
  EXPECT_EQ(position->GetValue(), 0);
  Window().PreviewPositionTick();
  EXPECT_EQ(position->GetValue(), 0);
}

TEST_F(MainWindowPreview, TheEndOfPlaybackReturnsToStopped) {
  AddThroughDialog({Recording("brief.m4a", 0.6)});
  List().SelectAndFocusRow(0);
  Window().PlayPause();
  ASSERT_TRUE(Window().isPreviewPlaying());
  List().clearSelection();
  Play(0.8);
  ASSERT_TRUE(WaitFor([this] { return !Window().isPreviewPlaying(); }));
  EXPECT_FALSE(Enabled(kPlay));
  EXPECT_FALSE(Enabled(kStop));
  EXPECT_FALSE(Window().slider(kPositionSlider)->isEnabled());
}

TEST_F(MainWindowPreview, AFileThatNoLongerOpensLeavesPlayStopped) {
  const QString gone = Recording("gone.m4a", 2.0);
  AddThroughDialog({Recording("fine.m4a", 2.0), gone});
  List().SelectAndFocusRow(0);
  Window().PlayPause();
  Window().StopPreview();
  ASSERT_TRUE(Window().previewOpened());
  std::remove(gone.toStdString().c_str());
  List().clearSelection();
  List().SelectAndFocusRow(1);
  Window().PlayPause();
  EXPECT_FALSE(Window().isPreviewPlaying());
  EXPECT_EQ(PlayTip(), "Play");
}

}  // namespace
}  // namespace varnell

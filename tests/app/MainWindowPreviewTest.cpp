// Listening to a row from the main window, with the player library playing for real (the test
// environment's SDL audio driver is the silent "dummy" one, which still plays in real time).
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include "MainWindowFixture.h"
#include "playermodule/PlayerModule.h"

namespace varnell {
namespace {

using namespace main_dialog;
using testing::MainWindowTest;

class MainWindowPreview : public MainWindowTest {
 protected:
  void SetUp() override { qputenv("SDL_AUDIODRIVER", "dummy"); }
  bool WaitFor(const std::function<bool()>& condition, int milliseconds = 5000) {
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
  ASSERT_TRUE(WaitFor([] { return Position() > 0.02; }));

  Window().PlayPause();  // pause
  EXPECT_FALSE(Window().isPreviewPlaying());
  EXPECT_EQ(PlayTip(), "Play");
  const double paused = Position();
  QTest::qWait(200);
  EXPECT_NEAR(Position(), paused, 0.01);
  Window().PlayPause();  // resumes without reopening: the position goes on from where it was
  EXPECT_TRUE(Window().isPreviewPlaying());
  EXPECT_GE(Position(), paused - 0.01);

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

TEST_F(MainWindowPreview, SeekingWhilePausedResumesAtTheSliderPlace) {
  AddThroughDialog({Recording("seek.m4a", 10.0)});
  List().SelectAndFocusRow(0);
  Window().PlayPause();
  Window().PlayPause();
  ASSERT_FALSE(Window().isPreviewPlaying());
  Window().SliderMoved(kPositionSlider, 500);
  EXPECT_NEAR(Position(), 0.5, 0.05 / 10.0 + 0.02);
  const double after = Position();
  ASSERT_TRUE(WaitFor([after] { return Position() > after + 0.01; }));  // playing again
  EXPECT_EQ(PlayTip(), "Play");  // the button keeps its look
}

TEST_F(MainWindowPreview, VolumeAboveTheTopIsFullVolume) {
  Window().SliderMoved(kVolumeSlider, 80000);
  EXPECT_EQ(Window().previewVolume(), 65535);
  int volume = -1;
  PlayerModule_GetVolume(&volume);
  EXPECT_EQ(volume, 65535);
  Window().SliderMoved(kVolumeSlider, 30000);
  PlayerModule_GetVolume(&volume);
  EXPECT_EQ(volume, 30000);
}

TEST_F(MainWindowPreview, TheEndOfPlaybackReturnsToStopped) {
  AddThroughDialog({Recording("brief.m4a", 0.6)});
  List().SelectAndFocusRow(0);
  Window().PlayPause();
  ASSERT_TRUE(Window().isPreviewPlaying());
  List().clearSelection();
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

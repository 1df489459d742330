// Listening to a row from the main window, with the player library playing for real on its
// pulled device: playback goes exactly as far as the test plays it.
#include <QApplication>
#include <QTest>

#include <cmath>

#include "MainWindowFixture.h"
#include "playermodule/PlayerModule.h"
#include "playermodule/PlayerModuleTesting.h"
#include "testmedia/VideoSampleWriter.h"

namespace varnell {
namespace {

using namespace main_window;
using testing::MainWindowTest;

class PreviewControllerTest : public MainWindowTest {
 protected:
  void SetUp() override { PlayerModuleTesting_UsePulledDevice(1); }
  void TearDown() override { PlayerModuleTesting_UsePulledDevice(0); }
  // The limit only keeps a broken window from hanging the run.
  static bool WaitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 30000);
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

TEST_F(PreviewControllerTest, PlayPauseAndStopFollowTheStateMachine) {
  AddThroughDialog({Recording("short.m4a", 3.0), Recording("long.m4a", 8.0)});
  Preview().PlayPause();  // nothing selected: nothing happens
  EXPECT_FALSE(Preview().isPlaying());
  EXPECT_FALSE(Preview().openedOnce());

  List().SelectAndFocusRow(0);
  List().SelectAndFocusRow(1);
  Preview().PlayPause();  // two rows selected: the last one plays
  EXPECT_TRUE(Preview().isPlaying());
  EXPECT_EQ(PlayTip(), "Pause");
  EXPECT_TRUE(Window().slider(kPositionSlider)->isEnabled());
  EXPECT_NEAR(Duration(), 8.0, 0.1);
  EXPECT_GT(Play(0.8), 0);
  EXPECT_NEAR(Position(), 0.1, 0.001);

  Preview().PlayPause();  // pause
  EXPECT_FALSE(Preview().isPlaying());
  EXPECT_EQ(PlayTip(), "Play");
  EXPECT_EQ(Play(0.8), 0) << "paused: nothing plays";
  EXPECT_NEAR(Position(), 0.1, 0.001);
  Preview().PlayPause();  // resumes without reopening: the position goes on from where it was
  EXPECT_TRUE(Preview().isPlaying());
  EXPECT_GT(Play(0.8), 0);
  EXPECT_NEAR(Position(), 0.2, 0.001);

  Preview().Stop();
  EXPECT_FALSE(Preview().isPlaying());
  EXPECT_EQ(PlayTip(), "Play");
  EXPECT_FALSE(Window().slider(kPositionSlider)->isEnabled());
  EXPECT_EQ(Window().slider(kPositionSlider)->GetValue(), 0);
  EXPECT_TRUE(Enabled(kPlay));  // a row is still selected

  List().clearSelection();
  Preview().Stop();
  EXPECT_FALSE(Enabled(kPlay));
  EXPECT_FALSE(Enabled(kStop));
}

TEST_F(PreviewControllerTest, SeekingWhilePausedResumesAtTheSliderPlaceAndThePlayButtonSaysSo) {
  AddThroughDialog({Recording("seek.m4a", 10.0)});
  List().SelectAndFocusRow(0);
  Preview().PlayPause();
  Preview().PlayPause();
  ASSERT_FALSE(Preview().isPlaying());
  Preview().Seek(500);
  EXPECT_NEAR(Position(), 0.5, 0.001);
  EXPECT_GT(Play(1.0), 0) << "playing again";
  EXPECT_NEAR(Position(), 0.6, 0.001);
  EXPECT_TRUE(Preview().isPlaying());
  EXPECT_EQ(PlayTip(), "Pause");
  EXPECT_EQ(Preview().playLook(), 310);
  Preview().PlayPause();  // so the next press pauses what plays
  EXPECT_EQ(Play(1.0), 0);
  EXPECT_EQ(PlayTip(), "Play");
}

TEST_F(PreviewControllerTest, ThePlayerPlaysAtTheVolumeTheSliderShows) {
  PlayerModule_SetVolume(65535);  // what an earlier window may have left in the one player
  AddThroughDialog({Recording("quiet.m4a", 2.0)});
  List().SelectAndFocusRow(0);
  ASSERT_EQ(Window().slider(kVolumeSlider)->GetValue(), 30000);
  Preview().PlayPause();  // the first Play, before the slider was ever moved
  ASSERT_TRUE(Preview().isPlaying());
  int volume = -1;
  PlayerModule_GetVolume(&volume);
  EXPECT_EQ(volume, 30000);

  Preview().SetVolume(80000);
  EXPECT_EQ(Preview().volume(), 65535);
  PlayerModule_GetVolume(&volume);
  EXPECT_EQ(volume, 65535);
  Preview().SetVolume(30000);
  PlayerModule_GetVolume(&volume);
  EXPECT_EQ(volume, 30000);
}

TEST_F(PreviewControllerTest, AfterABatchASelectedRowPlaysAndStops) {
  AddThroughDialog({Recording("first.m4a", 2.0), Recording("second.m4a", 2.0)});
  List().SelectAndFocusRow(0);
  Preview().PlayPause();  // the preview has been heard once
  ASSERT_TRUE(Preview().isPlaying());
  List().clearSelection();
  messages.answers = {MessageChoice::Cancel};
  Window().StartConverting();
  ASSERT_EQ(List().GetItemText(1, TaskListView::kStatus), "Completed");
  EXPECT_FALSE(Enabled(kPlay));
  EXPECT_FALSE(Enabled(kStop));
  EXPECT_EQ(Preview().playLook(), 301);
  EXPECT_EQ(Preview().stopLook(), 303);

  QTest::keyClick(&List(), Qt::Key_Down);  // selecting by keyboard
  ASSERT_EQ(List().SelectedRows(), std::vector<int>{1});
  EXPECT_TRUE(Enabled(kPlay));
  EXPECT_TRUE(Enabled(kStop));
  EXPECT_EQ(Preview().playLook(), 302);
  EXPECT_EQ(Preview().stopLook(), 304);

  QTest::mouseClick(Window().button(kPlay), Qt::LeftButton);
  ASSERT_TRUE(Preview().isPlaying());
  EXPECT_EQ(Preview().playLook(), 310);
  EXPECT_TRUE(Enabled(kStop));
  EXPECT_EQ(Preview().stopLook(), 304);
  EXPECT_GT(Play(0.4), 0);
  QTest::mouseClick(Window().button(kStop), Qt::LeftButton);
  EXPECT_FALSE(Preview().isPlaying());
  EXPECT_EQ(Play(0.4), -1) << "stopped and closed";
  EXPECT_EQ(Preview().playLook(), 302);

  QTest::mouseClick(Window().button(kPlay), Qt::LeftButton);
  ASSERT_TRUE(Preview().isPlaying());
  QTest::keyClick(&List(), Qt::Key_Delete);  // like Remove, the key stops what it removes
  EXPECT_FALSE(Preview().isPlaying());
  EXPECT_EQ(Play(0.4), -1) << "stopped and closed";
  EXPECT_TRUE(Enabled(kStop));               // the next row is selected in its place
  QTest::keyClick(&List(), Qt::Key_Delete);  // the last row goes: nothing left to play
  ASSERT_EQ(List().GetItemCount(), 0);
  EXPECT_FALSE(Enabled(kPlay));
  EXPECT_FALSE(Enabled(kStop));
}

TEST_F(PreviewControllerTest, ThePositionSliderFollowsThePlayerButNotWhileHeld) {
  AddThroughDialog({Recording("long.m4a", 8.0)});
  List().SelectAndFocusRow(0);
  Preview().PlayPause();
  BitmapSlider* position = Window().slider(kPositionSlider);
  EXPECT_GT(Play(0.8), 0);
  EXPECT_TRUE(WaitFor([position] { return std::abs(position->GetValue() - 100) <= 1; }))
      << "the position timer";

  // The user holds the thumb: it stays in the hand while the sound plays on.
  const QPoint thumb(position->ValueToPixel(100), position->height() / 2);
  QTest::mousePress(position, Qt::LeftButton, {}, thumb);
  ASSERT_TRUE(position->isDragging());
  const int held = position->GetValue();
  EXPECT_GT(Play(0.8), 0);
  Preview().PositionTick();
  EXPECT_EQ(position->GetValue(), held);
  QTest::mouseRelease(position, Qt::LeftButton, {}, thumb);
  Preview().PositionTick();
  EXPECT_NEAR(position->GetValue(), 200, 1);

  Preview().Stop();
  EXPECT_FALSE(Preview().isPositionTimerActive());
  EXPECT_EQ(position->GetValue(), 0);
  Preview().PositionTick();
  EXPECT_EQ(position->GetValue(), 0);
}

TEST_F(PreviewControllerTest, TheEndOfPlaybackReturnsToStopped) {
  AddThroughDialog({Recording("brief.m4a", 0.6)});
  List().SelectAndFocusRow(0);
  Preview().PlayPause();
  ASSERT_TRUE(Preview().isPlaying());
  List().clearSelection();
  Play(0.8);
  ASSERT_TRUE(WaitFor([this] { return !Preview().isPlaying(); }));
  EXPECT_FALSE(Enabled(kPlay));
  EXPECT_FALSE(Enabled(kStop));
  EXPECT_FALSE(Window().slider(kPositionSlider)->isEnabled());
}

// The preview area shows what plays: a square cover as high as the wide area, in its middle,
// the sides black (stretched, its red left and green right edges would reach the sides); a
// video's frame, its two coloured halves in place. Stop gives the area back to the background.
TEST_F(PreviewControllerTest, TheAreaShowsTheCoverAtItsShapeAndTheVideoFrame) {
  testmedia::SampleSpec withCover = varnell::testing::Tone(media / "cover.m4a", 3.0);
  withCover.jpegCover = true;
  withCover.coverWidth = withCover.coverHeight = 48;
  testmedia::VideoSampleSpec video;
  video.path = media / "halves.mp4";
  std::string error;
  ASSERT_TRUE(testmedia::WriteVideoSample(video, &error)) << error;
  AddThroughDialog({QString::fromStdString(varnell::testing::WriteSample(withCover)),
                    QString::fromStdString(video.path)});
  const ClipPreviewArea& area = Preview().picture();
  const QRect inWindow(area.mapTo(&Window(), QPoint(0, 0)), area.size());
  const auto colourAt = [&](QPoint point) {
    return QColor(Window().grab().toImage().pixel(point));
  };

  List().SelectAndFocusRow(0);
  Preview().PlayPause();
  ASSERT_FALSE(area.picture().isNull()) << "a cover shows as soon as it plays";
  const QRect square = area.pictureRect().translated(inWindow.topLeft());
  EXPECT_EQ(square.size(), QSize(inWindow.height(), inWindow.height()));
  EXPECT_LE(std::abs(square.center().x() - inWindow.center().x()), 1);
  EXPECT_EQ(colourAt({inWindow.left() + 10, inWindow.center().y()}), QColor(Qt::black));
  EXPECT_EQ(colourAt({inWindow.right() - 10, inWindow.center().y()}), QColor(Qt::black));
  const QColor topLeft = colourAt(square.topLeft() + QPoint(4, 4));
  EXPECT_TRUE(topLeft.red() > 120 && topLeft.green() < 70) << topLeft.name().toStdString();
  const QColor topRight = colourAt(square.topRight() + QPoint(-4, 4));
  EXPECT_TRUE(topRight.green() > 150 && topRight.red() < 140) << topRight.name().toStdString();
  Preview().Stop();
  EXPECT_TRUE(area.picture().isNull());

  List().clearSelection();
  List().SelectAndFocusRow(1);
  Preview().PlayPause();
  ASSERT_TRUE(Preview().isPlaying());
  // Video frames come from the decoding thread; the picture timer shows the first one.
  ASSERT_TRUE(WaitFor([&] { return !area.picture().isNull(); }));
  const QRect frame = area.pictureRect().translated(inWindow.topLeft());
  EXPECT_EQ(frame.height(), inWindow.height());
  EXPECT_NEAR(frame.width(), inWindow.height() * 4 / 3, 1) << "128 x 96 keeps its shape";
  const auto near = [](const QColor& seen, const testmedia::RgbColour& wanted) {
    return std::abs(seen.red() - wanted.red) < 30 && std::abs(seen.green() - wanted.green) < 30 &&
           std::abs(seen.blue() - wanted.blue) < 30;
  };
  EXPECT_TRUE(near(colourAt({frame.center().x(), frame.top() + 10}), video.top));
  EXPECT_TRUE(near(colourAt({frame.center().x(), frame.bottom() - 10}), video.bottom));
  Preview().Stop();
  EXPECT_TRUE(area.picture().isNull());
}

TEST_F(PreviewControllerTest, AFileThatNoLongerOpensLeavesPlayStopped) {
  const QString gone = Recording("gone.m4a", 2.0);
  AddThroughDialog({Recording("fine.m4a", 2.0), gone});
  List().SelectAndFocusRow(0);
  Preview().PlayPause();
  Preview().Stop();
  ASSERT_TRUE(Preview().openedOnce());
  std::remove(gone.toStdString().c_str());
  List().clearSelection();
  List().SelectAndFocusRow(1);
  Preview().PlayPause();
  EXPECT_FALSE(Preview().isPlaying());
  EXPECT_EQ(PlayTip(), "Play");
}

}  // namespace
}  // namespace varnell

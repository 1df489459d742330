#include "controls/BitmapSlider.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TestPictures.h"

namespace varnell {
namespace {

using testpictures::ColourAt;
using testpictures::Rendered;
using testpictures::SolidPicture;
using testpictures::WithBlock;

constexpr int kId = 1140;
const QColor kChannel(200, 0, 0);
const QColor kSelectedRange(0, 0, 200);
const QColor kThumbFace(220, 220, 0);
const QColor kActiveThumbFace(0, 220, 220);
const QColor kThumbKey(255, 0, 255);
const std::string kChannelName = kChannel.name().toStdString();
const std::string kSelectedName = kSelectedRange.name().toStdString();

// An 11 x 9 thumb: the key colour around a 7 x 7 face.
QImage ThumbPicture(const QColor& face) {
  return WithBlock(SolidPicture(QSize(11, 9), kThumbKey), QRect(2, 1, 7, 7), face);
}

// As the dialogs set their sliders up: a 180 x 12 channel, margins 2, 3, 2, 0,
// so the thumb's centre travels from x 7 (value 0) over 165 pixels to x 172.
class BitmapSliderTest : public ::testing::Test {
 protected:
  BitmapSliderTest()
      : slider(kId),
        moves(&slider, &BitmapSlider::moved),
        releases(&slider, &BitmapSlider::released) {
    slider.SetFocusFrame(false);
    slider.SetMargins(2, 3, 2, 0);
    EXPECT_TRUE(slider.LoadChannelImages(SolidPicture(QSize(180, 12), kChannel),
                                         SolidPicture(QSize(180, 12), kSelectedRange)));
    EXPECT_TRUE(slider.LoadThumbImages(ThumbPicture(kThumbFace), ThumbPicture(kActiveThumbFace)));
    slider.SetLimits(0, 1000);
  }

  void Mouse(QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF position(x, 6);
    QMouseEvent event(type, position, slider.mapToGlobal(position), button, held, Qt::NoModifier);
    QApplication::sendEvent(&slider, &event);
  }
  void Press(int x, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonPress, x, button, button);
  }
  // Qt delivers moves without mouse tracking only while a button is held.
  void MoveTo(int x, Qt::MouseButton held = Qt::LeftButton) {
    Mouse(QEvent::MouseMove, x, Qt::NoButton, held);
  }
  void Release(int x, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonRelease, x, button, Qt::NoButton);
  }

  static QList<QVariant> Report(int value) { return {kId, value}; }

  BitmapSlider slider;
  QSignalSpy moves;
  QSignalSpy releases;
};

TEST_F(BitmapSliderTest, ValueToPixelTruncatesTheTravel) {
  EXPECT_EQ(slider.size(), QSize(180, 12));
  EXPECT_EQ(slider.ValueToPixel(0), 7);
  EXPECT_EQ(slider.ValueToPixel(333), 61);  // 2 + trunc(54.945) + 5
  EXPECT_EQ(slider.ValueToPixel(500), 89);  // 2 + trunc(82.5) + 5
  EXPECT_EQ(slider.ValueToPixel(1000), 172);
}

TEST_F(BitmapSliderTest, PixelToValueTruncatesTowardZero) {
  EXPECT_EQ(slider.PixelToValue(7), 0);
  EXPECT_EQ(slider.PixelToValue(89), 496);  // 82 / 165 x 1000 = 496.97
  EXPECT_EQ(slider.PixelToValue(90), 503);
  EXPECT_EQ(slider.PixelToValue(172), 1000);
  EXPECT_EQ(slider.PixelToValue(0), -42);  // -42.4, not clamped
  slider.SetLimits(-100, 100);
  EXPECT_EQ(slider.ValueToPixel(-100), 7);
  EXPECT_EQ(slider.ValueToPixel(0), 89);
  EXPECT_EQ(slider.PixelToValue(8), -98);  // -98.79
}

TEST_F(BitmapSliderTest, DegenerateGeometryStaysFinite) {
  slider.SetLimits(50, 50);
  EXPECT_EQ(slider.ValueToPixel(50), 7);
  EXPECT_EQ(slider.PixelToValue(120), 50);

  slider.SetLimits(0, 1000);
  ASSERT_TRUE(slider.LoadChannelImages(SolidPicture(QSize(8, 12), kChannel), QImage()));
  EXPECT_EQ(slider.ValueToPixel(700), 7);
  EXPECT_EQ(slider.PixelToValue(6), 0);
  Press(6);
  MoveTo(300);
  Release(300);
  EXPECT_EQ(slider.GetValue(), 50);
  EXPECT_TRUE(moves.isEmpty());

  BitmapSlider empty(7);
  empty.SetValue(60);
  EXPECT_EQ(empty.ValueToPixel(60), 0);
  EXPECT_EQ(empty.PixelToValue(30), 0);
  QTest::keyClick(&empty, Qt::Key_End);
  EXPECT_EQ(empty.GetValue(), 100);
  EXPECT_FALSE(Rendered(empty).isNull());
}

TEST_F(BitmapSliderTest, ValuesAndMarksAreClampedToTheRange) {
  slider.SetValue(1500);
  EXPECT_EQ(slider.GetValue(), 1000);
  slider.SetValue(-5);
  EXPECT_EQ(slider.GetValue(), 0);
  slider.SetBeginMark(-3);
  slider.SetEndMark(5000);
  EXPECT_EQ(slider.beginMark(), 0);
  EXPECT_EQ(slider.endMark(), 1000);

  slider.SetValue(800);
  slider.SetLimits(0, 100);
  EXPECT_EQ(slider.GetValue(), 100);
  EXPECT_EQ(slider.endMark(), 100);

  // Against the maximum first: with inverted limits the minimum wins.
  slider.SetLimits(10, 5);
  slider.SetValue(7);
  EXPECT_EQ(slider.GetValue(), 10);
  slider.SetValue(3);
  EXPECT_EQ(slider.GetValue(), 10);
}

TEST_F(BitmapSliderTest, ClickingAwayFromTheThumbJumpsThere) {
  Press(100);
  EXPECT_TRUE(slider.isDragging());
  ASSERT_EQ(moves.count(), 1);
  EXPECT_EQ(moves.at(0), Report(563));  // (100 - 7) / 165 x 1000
  EXPECT_EQ(slider.GetValue(), 563);
  EXPECT_TRUE(releases.isEmpty());

  Release(100);
  EXPECT_FALSE(slider.isDragging());
  ASSERT_EQ(releases.count(), 1);
  EXPECT_EQ(releases.at(0), Report(563));
  EXPECT_EQ(moves.count(), 1);
}

TEST_F(BitmapSliderTest, GrabbingTheThumbKeepsTheGrabOffset) {
  slider.SetValue(500);  // centre at 89
  Press(92);
  MoveTo(92);
  EXPECT_TRUE(moves.isEmpty());
  EXPECT_EQ(slider.GetValue(), 500);

  MoveTo(93);  // centre to 90
  ASSERT_EQ(moves.count(), 1);
  EXPECT_EQ(moves.at(0), Report(503));

  MoveTo(1000);  // centre stops at 180 - 2 - 5
  EXPECT_EQ(moves.last(), Report(1000));
  MoveTo(-50);
  EXPECT_EQ(moves.last(), Report(0));
  Release(-50);
  EXPECT_EQ(releases.count(), 1);
}

TEST_F(BitmapSliderTest, OnlyTheLeftButtonDrags) {
  Press(100, Qt::RightButton);
  EXPECT_FALSE(slider.isDragging());
  MoveTo(120, Qt::RightButton);
  Release(120, Qt::RightButton);
  EXPECT_TRUE(moves.isEmpty());
  EXPECT_TRUE(releases.isEmpty());
  EXPECT_EQ(slider.GetValue(), 0);
}

TEST_F(BitmapSliderTest, EveryHandledKeyReportsARelease) {
  QTest::keyClick(&slider, Qt::Key_Home);  // already at the minimum
  ASSERT_EQ(releases.count(), 1);
  EXPECT_EQ(releases.at(0), Report(0));

  struct Step {
    Qt::Key key;
    int value;
  };
  slider.SetPageStep(250);
  const Step steps[] = {{Qt::Key_PageDown, 250}, {Qt::Key_Right, 251}, {Qt::Key_Down, 252},
                        {Qt::Key_PageUp, 2},     {Qt::Key_Left, 1},    {Qt::Key_Up, 0},
                        {Qt::Key_Up, 0},         {Qt::Key_End, 1000},  {Qt::Key_PageDown, 1000}};
  for (const Step& step : steps) {
    releases.clear();
    QTest::keyClick(&slider, step.key);
    ASSERT_EQ(releases.count(), 1) << step.key;
    EXPECT_EQ(releases.at(0), Report(step.value)) << step.key;
  }

  releases.clear();
  QTest::keyClick(&slider, Qt::Key_A);
  EXPECT_TRUE(releases.isEmpty());
  EXPECT_TRUE(moves.isEmpty());
}

// Which picture the channel shows at each x, for the mark settings the
// dialogs use; x(300) = 56, x(500) = 89, x(600) = 106.
TEST_F(BitmapSliderTest, ChannelShowsTheRangePictureBetweenTheMarks) {
  const std::string c = kChannelName;
  const std::string s = kSelectedName;
  struct Case {
    int mode;
    int begin;
    int end;
    std::vector<std::pair<int, std::string>> expected;
  };
  const Case cases[] = {
      {0, 500, 600, {{0, s}, {90, s}, {179, s}}},
      {1, 0, 0, {{0, s}, {90, s}, {179, s}}},  // from the left edge, not from x(0)
      {1, 500, 0, {{0, c}, {88, c}, {89, s}, {179, s}}},
      {2, 300, 1000, {{55, c}, {56, s}, {179, s}}},
      {2, 300, 600, {{55, c}, {56, s}, {105, s}, {106, c}, {179, c}}},
      {2, 0, 600, {{0, s}, {105, s}, {106, c}}},
  };
  for (const Case& setting : cases) {
    slider.SetMarkMode(setting.mode);
    slider.SetBeginMark(setting.begin);
    slider.SetEndMark(setting.end);
    const QImage picture = Rendered(slider);
    for (const auto& [x, colour] : setting.expected) {
      // Row 1 lies above the thumb.
      EXPECT_EQ(ColourAt(picture, x, 1), colour)
          << "mode " << setting.mode << ", marks " << setting.begin << ".." << setting.end << ", x "
          << x;
    }
  }

  ASSERT_TRUE(slider.LoadChannelImages(SolidPicture(QSize(180, 12), kChannel), QImage()));
  EXPECT_EQ(ColourAt(Rendered(slider), 90, 1), c);
}

// HiDPI channels have twice the pixels: the control keeps the ordinary size, the thumb's travel
// stays the same, and each piece of the channel comes from the same place of its picture.
TEST_F(BitmapSliderTest, DenseChannelsKeepTheSizeAndThePlaceOfEachPiece) {
  const auto dense = [](const QColor& left, const QColor& right) {
    QImage picture = WithBlock(SolidPicture(QSize(360, 24), left), QRect(180, 0, 180, 24), right);
    picture.setDevicePixelRatio(2.0);
    return picture;
  };
  const QColor kLeftGreen(0, 200, 0);
  ASSERT_TRUE(
      slider.LoadChannelImages(dense(kChannel, kChannel), dense(kLeftGreen, kSelectedRange)));
  EXPECT_EQ(slider.size(), QSize(180, 12));
  EXPECT_EQ(slider.ValueToPixel(1000), 172);

  slider.SetMarkMode(1);
  slider.SetBeginMark(600);  // x 106: the selected range lies in the picture's right half
  const QImage shown = Rendered(slider);
  EXPECT_EQ(ColourAt(shown, 50, 1), kChannelName);
  EXPECT_EQ(ColourAt(shown, 120, 1), kSelectedName);
  EXPECT_EQ(ColourAt(shown, 178, 1), kSelectedName);
}

TEST_F(BitmapSliderTest, ThumbIsDrawnTransparentlyAndLightsUpWhileDragged) {
  slider.SetValue(500);  // thumb from x 84, y 3
  QImage picture = Rendered(slider);
  EXPECT_EQ(ColourAt(picture, 84, 3), kSelectedName);  // key colour
  EXPECT_EQ(ColourAt(picture, 89, 7), kThumbFace.name().toStdString());

  Press(89);
  picture = Rendered(slider);
  EXPECT_EQ(ColourAt(picture, 89, 7), kActiveThumbFace.name().toStdString());
  Release(89);
  EXPECT_EQ(ColourAt(Rendered(slider), 89, 7), kThumbFace.name().toStdString());
}

TEST_F(BitmapSliderTest, FailedLoadsKeepNothing) {
  EXPECT_FALSE(slider.LoadChannel(-1, -2));
  EXPECT_FALSE(slider.LoadThumbImages(QImage(), ThumbPicture(kActiveThumbFace)));
  EXPECT_EQ(slider.ValueToPixel(1000), 2);
}

}  // namespace
}  // namespace varnell

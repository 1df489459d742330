#include "controls/SkinButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>

#include "TestPictures.h"
#include "controls/BitmapRegion.h"
#include "controls/BitmapResource.h"

namespace varnell {
namespace {

using testpictures::ColourAt;
using testpictures::Rendered;
using testpictures::SolidPicture;
using testpictures::WithBlock;

constexpr QSize kFaceSize(20, 10);
const QColor kHover(0, 200, 0);
const QColor kNormal(200, 0, 0);
const QColor kPressed(0, 0, 200);

// A colour under a 12 % black shade, give or take rounding.
void ExpectShaded(const QColor& shown, const QColor& face) {
  EXPECT_NEAR(shown.red(), face.red() * 0.88, 2.0);
  EXPECT_NEAR(shown.green(), face.green() * 0.88, 2.0);
  EXPECT_NEAR(shown.blue(), face.blue() * 0.88, 2.0);
}

class SkinButtonTest : public ::testing::Test {
 protected:
  SkinButtonTest() : button(1000) {
    // Shaped like its left half; the right half is white.
    button.SetShapeFromImage(
        WithBlock(SolidPicture(kFaceSize, Qt::white), QRect(0, 0, 10, 10), Qt::black));
    button.SetStateImages(SolidPicture(kFaceSize, kHover), SolidPicture(kFaceSize, kNormal),
                          SolidPicture(kFaceSize, kPressed));
    button.resize(button.sizeHint());
  }

  void Enter() {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
  }

  void Leave() {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
  }

  SkinButton button;
};

TEST_F(SkinButtonTest, TakesItsShapeAndTheNormalFacesSize) {
  EXPECT_EQ(button.controlId(), 1000);
  EXPECT_EQ(button.mask(), QRegion(0, 0, 10, 10));
  EXPECT_EQ(button.sizeHint(), kFaceSize);
}

TEST_F(SkinButtonTest, OnlyTheShapeTakesClicks) {
  QSignalSpy clicks(&button, &QAbstractButton::clicked);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(15, 5));
  EXPECT_EQ(clicks.count(), 0);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(SkinButtonTest, AllWhiteShapeHidesTheButtonAndTakesNoClicks) {
  button.SetShapeFromImage(SolidPicture(kFaceSize, Qt::white));
  EXPECT_FALSE(button.mask().isEmpty());
  EXPECT_FALSE(button.mask().intersects(button.rect()));

  QSignalSpy clicks(&button, &QAbstractButton::clicked);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks.count(), 0);
}

TEST_F(SkinButtonTest, FaceFollowsThePointer) {
  EXPECT_EQ(ColourAt(Rendered(button), 5, 5), kNormal.name().toStdString());
  Enter();
  EXPECT_TRUE(button.isHovered());
  EXPECT_EQ(ColourAt(Rendered(button), 5, 5), kHover.name().toStdString());
  Leave();
  EXPECT_FALSE(button.isHovered());
  EXPECT_EQ(ColourAt(Rendered(button), 5, 5), kNormal.name().toStdString());
}

TEST_F(SkinButtonTest, PressedFaceLiesShiftedAndShadedOverTheCurrentFace) {
  Enter();
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(button.isDown());
  const QImage pressed = Rendered(button);
  ExpectShaded(pressed.pixelColor(5, 5), kPressed);
  ExpectShaded(pressed.pixelColor(1, 1), kPressed);
  // The shift uncovers the top row and the left column of the face beneath.
  ExpectShaded(pressed.pixelColor(0, 5), kHover);
  ExpectShaded(pressed.pixelColor(5, 0), kHover);

  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(ColourAt(Rendered(button), 5, 5), kHover.name().toStdString());
}

TEST_F(SkinButtonTest, DrawsTheSameWhenDisabled) {
  button.setEnabled(false);
  EXPECT_EQ(ColourAt(Rendered(button), 5, 5), kNormal.name().toStdString());
}

bool ShowsColour(const QImage& shown, QRgb colour) {
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if ((shown.pixel(x, y) & 0xffffff) == (colour & 0xffffff)) return true;
  return false;
}

// The caption is drawn in the ink of the look shown; one too long for its room is elided and
// becomes the tool tip.
TEST(SkinButtonCaption, TakesTheInkOfTheLookShownAndElidesWhatDoesNotFit) {
  const QSize faceSize(80, 30);
  SkinButton button(1000);
  button.SetShapeFromImage(SolidPicture(faceSize, Qt::black));
  const QImage face = SolidPicture(faceSize, Qt::gray);
  button.SetStateImages(face, face, face);
  button.resize(faceSize);
  const QRgb normal = qRgb(255, 0, 0), hover = qRgb(0, 255, 0), disabled = qRgb(0, 0, 255);
  const ButtonCaption caption{
      {QRectF(0, 0, 80, 30), 16, true, Qt::AlignCenter, 1}, {normal, 0}, {hover, 0}, {disabled, 0}};
  button.SetCaption("Add", caption);
  EXPECT_EQ(button.shownCaption(), "Add");
  EXPECT_TRUE(button.toolTip().isEmpty());
  EXPECT_TRUE(ShowsColour(Rendered(button), normal));
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&button, &enter);
  EXPECT_TRUE(ShowsColour(Rendered(button), hover));
  button.setEnabled(false);
  EXPECT_TRUE(ShowsColour(Rendered(button), disabled));
  EXPECT_FALSE(ShowsColour(Rendered(button), hover));

  const QString tooLong = "Hinzufügen von Dateien";
  button.SetCaption(tooLong, caption);
  EXPECT_TRUE(button.shownCaption().endsWith(QChar(0x2026))) << button.shownCaption().toStdString();
  EXPECT_EQ(button.toolTip(), tooLong);
}

// What the pointer shows is the cursor Qt gives the native window under it; over a disabled child
// Qt would give it the parent's arrow.
TEST(SkinButtonCursor, ShowsOverTheButtonEnabledOrNotAndOnlyThere) {
  QWidget window;
  window.resize(120, 60);
  auto* button = new SkinButton(1000, &window);
  button->setGeometry(10, 10, 40, 20);
  button->setCursor(Qt::PointingHandCursor);
  button->setEnabled(false);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const auto shown = [&window] { return window.windowHandle()->cursor().shape(); };
  const QPoint background(100, 45), overButton(20, 20);

  QTest::mouseMove(&window, background - QPoint(1, 1));
  QTest::mouseMove(&window, background);
  EXPECT_EQ(shown(), Qt::ArrowCursor);
  QTest::mouseMove(&window, overButton);
  EXPECT_EQ(shown(), Qt::PointingHandCursor) << "entering the disabled button";
  button->setEnabled(true);
  EXPECT_EQ(shown(), Qt::PointingHandCursor) << "enabled under the pointer";
  QTest::mouseMove(&window, background);
  EXPECT_EQ(shown(), Qt::ArrowCursor);

  QTest::mouseMove(&window, overButton);
  EXPECT_EQ(shown(), Qt::PointingHandCursor) << "entering the enabled button";
  button->setEnabled(false);  // as Clear All disables itself when clicked
  EXPECT_EQ(shown(), Qt::PointingHandCursor) << "disabled under the pointer";
  QTest::mouseMove(&window, background);
  EXPECT_EQ(shown(), Qt::ArrowCursor);
  EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor) << "the window's own cursor is given back";
}

}  // namespace
}  // namespace varnell

namespace varnell {
namespace {

// The skin on this run's screen: also run with QT_SCALE_FACTOR=2 (controls_tests_hidpi), where
// the face must be the HiDPI drawing shown pixel for pixel, while the window's shape, its size
// and where it takes clicks stay those of the ordinary picture.
constexpr int kConvertShape = 186;
constexpr int kConvertFace = 185;

// Pixels inside shape where the button does not show the face bitmap at its own pixel ratio;
// -1 when even the sizes differ.
int PixelsUnlikeTheFace(SkinButton& button, const QRegion& shape, int faceId) {
  const qreal ratio = button.devicePixelRatioF();
  const QImage expected = LoadBitmapResource(faceId, ratio).convertToFormat(QImage::Format_RGB32);
  const QImage shown = Rendered(button).convertToFormat(QImage::Format_RGB32);
  if (shown.size() != expected.size()) return -1;
  int different = 0;
  for (const QRect& rect : shape)
    for (int y = int(rect.top() * ratio); y < int((rect.bottom() + 1) * ratio); ++y)
      for (int x = int(rect.left() * ratio); x < int((rect.right() + 1) * ratio); ++x)
        different += shown.pixel(x, y) == expected.pixel(x, y) ? 0 : 1;
  return different;
}

TEST(SkinButtonOnThisScreen, ShowsTheFaceForTheScreenInsideTheOrdinaryShape) {
  const QImage ordinaryShape = LoadBitmapResource(kConvertShape);
  ASSERT_FALSE(ordinaryShape.isNull());
  QWidget window;
  SkinButton button(1001, &window);
  button.SetShapeFromBitmap(kConvertShape);
  button.LoadStateBitmaps(kConvertFace, kConvertFace, kConvertFace);
  button.resize(button.sizeHint());
  window.resize(button.size() + QSize(10, 10));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  const qreal ratio = button.devicePixelRatioF();
  EXPECT_EQ(ratio, qApp->devicePixelRatio());
  EXPECT_EQ(button.sizeHint(), ordinaryShape.size());
  const QRegion shape = RegionFromBitmap(ordinaryShape);
  EXPECT_EQ(button.mask(), shape);

  EXPECT_EQ(PixelsUnlikeTheFace(button, shape, kConvertFace), 0)
      << "the face is drawn pixel for pixel at ratio " << ratio;

  QSignalSpy clicks(&button, &QAbstractButton::clicked);
  QTest::mouseClick(&button, Qt::LeftButton, {}, shape.boundingRect().center());
  EXPECT_EQ(clicks.count(), 1);
  const QPoint corner(1, 1);  // white in the picture; (0, 0) would mean the centre to QTest
  ASSERT_FALSE(shape.contains(corner));
  QTest::mouseClick(&button, Qt::LeftButton, {}, corner);
  EXPECT_EQ(clicks.count(), 1);
}

// Moved to a screen of another density, the button shows the face drawn for that one. Needs two
// such screens (the test controls_tests_two_screens); skipped with one.
TEST(SkinButtonOnTwoScreens, ShowsTheFaceForTheScreenItMovesTo) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  const auto [ordinary, dense] =
      std::minmax_element(screens.begin(), screens.end(), [](QScreen* one, QScreen* other) {
        return one->devicePixelRatio() < other->devicePixelRatio();
      });
  if (screens.size() < 2 || (*ordinary)->devicePixelRatio() == (*dense)->devicePixelRatio())
    GTEST_SKIP() << "needs two screens of different pixel ratios";
  QWidget window;
  window.setScreen(*ordinary);
  window.move((*ordinary)->geometry().topLeft());
  SkinButton button(1001, &window);
  button.SetShapeFromBitmap(kConvertShape);
  button.LoadStateBitmaps(kConvertFace, kConvertFace, kConvertFace);
  button.resize(button.sizeHint());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const qreal first = button.devicePixelRatioF();
  window.windowHandle()->setScreen(*dense);
  ASSERT_NE(button.devicePixelRatioF(), first);
  EXPECT_EQ(PixelsUnlikeTheFace(button, button.mask(), kConvertFace), 0);
}

}  // namespace
}  // namespace varnell

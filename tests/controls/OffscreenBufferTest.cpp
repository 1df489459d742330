#include "controls/OffscreenBuffer.h"

#include <gtest/gtest.h>

#include "TestPictures.h"

namespace varnell {
namespace {

using testpictures::ColourAt;

TEST(OffscreenBuffer, DrawsInTargetCoordinatesAndReachesTheTargetOnlyWhenDone) {
  QImage target = testpictures::SolidPicture(QSize(40, 30), Qt::white);
  {
    QPainter painter(&target);
    {
      OffscreenBuffer buffer(painter, QRect(10, 5, 20, 10), Qt::green);
      buffer.painter().fillRect(QRect(12, 6, 2, 2), Qt::red);
      EXPECT_EQ(ColourAt(target, 12, 6), "#ffffff");
    }
  }
  EXPECT_EQ(ColourAt(target, 12, 6), "#ff0000");
  EXPECT_EQ(ColourAt(target, 10, 5), "#00ff00");
  EXPECT_EQ(ColourAt(target, 29, 14), "#00ff00");
  EXPECT_EQ(ColourAt(target, 9, 5), "#ffffff");
  EXPECT_EQ(ColourAt(target, 30, 14), "#ffffff");
  EXPECT_EQ(ColourAt(target, 10, 15), "#ffffff");
}

}  // namespace
}  // namespace varnell

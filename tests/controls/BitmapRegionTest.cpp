#include "controls/BitmapRegion.h"

#include <gtest/gtest.h>

#include <climits>

#include "TestPictures.h"

namespace varnell {
namespace {

using testpictures::SolidPicture;
using testpictures::WithBlock;

// The region a picture should give, built pixel by pixel through union.
QRegion PixelByPixel(const QImage& picture, const QColor& inside) {
  QRegion region;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixelColor(x, y) == inside) {
        region |= QRect(x, y, 1, 1);
      }
    }
  }
  return region;
}

TEST(RegionFromBitmap, WhiteAndFullyTransparentPixelsAreOutside) {
  EXPECT_TRUE(RegionFromBitmap(SolidPicture(QSize(16, 8), Qt::white)).isEmpty());

  QImage clear(QSize(16, 8), QImage::Format_ARGB32);
  clear.fill(Qt::transparent);
  EXPECT_TRUE(RegionFromBitmap(clear).isEmpty());

  QImage translucentWhite(QSize(16, 8), QImage::Format_ARGB32);
  translucentWhite.fill(QColor(255, 255, 255, 128));
  EXPECT_TRUE(RegionFromBitmap(translucentWhite).isEmpty());

  EXPECT_TRUE(RegionFromBitmap(QImage()).isEmpty());
}

TEST(RegionFromBitmap, EveryOtherPixelIsInsideEvenNearWhite) {
  QImage shape = SolidPicture(QSize(8, 6), Qt::white).convertToFormat(QImage::Format_ARGB32);
  shape = WithBlock(shape, QRect(1, 0, 3, 2), Qt::black);
  shape = WithBlock(shape, QRect(1, 2, 1, 3), QColor(254, 255, 255));
  shape = WithBlock(shape, QRect(6, 3, 2, 1), Qt::red);
  shape.setPixelColor(7, 5, QColor(0, 0, 255));
  shape.setPixelColor(5, 5, QColor(0, 0, 0, 0));

  const QRegion expected =
      QRegion(1, 0, 3, 2) | QRegion(1, 2, 1, 3) | QRegion(6, 3, 2, 1) | QRegion(7, 5, 1, 1);
  EXPECT_EQ(RegionFromBitmap(shape), expected);
}

// QRegion's == compares rectangle lists, and united() does not always merge
// bands, so regions built in different steps are compared by area.
bool SameArea(const QRegion& a, const QRegion& b) { return a.xored(b).isEmpty(); }

TEST(RegionFromBitmap, IdenticalRowsBecomeOneRectangle) {
  const QImage block =
      WithBlock(SolidPicture(QSize(40, 30), Qt::white), QRect(5, 4, 30, 20), Qt::black);
  const QRegion region = RegionFromBitmap(block);
  EXPECT_EQ(region, QRegion(5, 4, 30, 20));
  EXPECT_EQ(region.rectCount(), 1);
}

// 200 x 40 pictures of 4000 runs: two batches at the default size, and rows
// split between batches at the odd sizes.
TEST(RegionFromBitmap, BatchesGiveTheSameRegionAsOnePass) {
  QImage checkerboard = SolidPicture(QSize(200, 40), Qt::white);
  for (int y = 0; y < checkerboard.height(); ++y) {
    for (int x = (y % 2); x < checkerboard.width(); x += 2) {
      checkerboard.setPixelColor(x, y, Qt::black);
    }
  }
  const QRegion onePass = RegionFromBitmap(checkerboard, INT_MAX);
  EXPECT_TRUE(SameArea(onePass, PixelByPixel(checkerboard, Qt::black)));
  EXPECT_TRUE(SameArea(RegionFromBitmap(checkerboard), onePass));
  EXPECT_TRUE(SameArea(RegionFromBitmap(checkerboard, 7), onePass));
  EXPECT_TRUE(SameArea(RegionFromBitmap(checkerboard, 0), onePass));

  QImage stripes = SolidPicture(QSize(200, 40), Qt::white);
  QRegion columns;
  for (int x = 0; x < stripes.width(); x += 2) {
    stripes = WithBlock(stripes, QRect(x, 0, 1, 40), Qt::black);
    columns |= QRect(x, 0, 1, 40);
  }
  EXPECT_TRUE(SameArea(RegionFromBitmap(stripes), columns));
  EXPECT_TRUE(SameArea(RegionFromBitmap(stripes, 13), columns));
}

}  // namespace
}  // namespace varnell

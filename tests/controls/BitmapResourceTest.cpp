// The compiled-in pictures as the controls load them: the ordinary drawing for shapes and keys,
// the HiDPI drawing for a dense screen where the skin has one, laid out at the same size.
#include "controls/BitmapResource.h"

#include <gtest/gtest.h>

namespace varnell {
namespace {

TEST(BitmapResource, ADenseScreenGetsTheHiDpiDrawingAtTheOrdinaryLogicalSize) {
  const QImage ordinary = LoadBitmapResource(290);
  ASSERT_FALSE(ordinary.isNull());
  EXPECT_EQ(ordinary.devicePixelRatio(), 1.0);
  EXPECT_EQ(LoadBitmapResource(290, 1.0), ordinary);

  for (const qreal ratio : {1.5, 2.0, 3.0}) {
    const QImage dense = LoadBitmapResource(290, ratio);
    EXPECT_EQ(dense.devicePixelRatio(), 2.0) << ratio;
    EXPECT_EQ(dense.size(), ordinary.size() * 2) << ratio;
    EXPECT_EQ(dense.deviceIndependentSize(), QSizeF(ordinary.size())) << ratio;
  }

  // A thumb is keyed by its top-left pixel and drawn once: a dense screen gets that one.
  const QImage thumb = LoadBitmapResource(308, 2.0);
  EXPECT_EQ(thumb.devicePixelRatio(), 1.0);
  EXPECT_EQ(thumb, LoadBitmapResource(308));
  EXPECT_TRUE(LoadBitmapResource(1, 2.0).isNull());
}

}  // namespace
}  // namespace varnell

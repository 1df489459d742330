#include "controls/DialogUnits.h"

#include <gtest/gtest.h>

namespace varnell {
namespace {

TEST(DialogUnits, NinePointTemplatesMatchTheMainWindowPicture) {
  EXPECT_EQ(DialogUnitsToPixels(QSize(503, 307), TemplateFont::Shell9pt), QSize(880, 537));
  // 78 x 7 / 4 = 136.5 and 34 x 14 / 8 = 59.5 round up.
  EXPECT_EQ(DialogUnitsToPixels(7, 13, 78, 34, TemplateFont::Shell9pt), QRect(12, 23, 137, 60));
}

TEST(DialogUnits, EightPointTemplatesUseTheSmallerBase) {
  EXPECT_EQ(DialogUnitsToPixels(7, 13, 78, 34, TemplateFont::Shell8pt), QRect(11, 21, 117, 55));
  EXPECT_EQ(DialogUnitsToPixels(QSize(3, 4), TemplateFont::Shell8pt), QSize(5, 7));
}

TEST(DialogUnits, NegativeHalvesRoundAwayFromZero) {
  EXPECT_EQ(DialogUnitsToPixels(-1, -4, -3, 0, TemplateFont::Shell8pt), QRect(-2, -7, -5, 0));
}

}  // namespace
}  // namespace varnell

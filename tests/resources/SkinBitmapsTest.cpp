// The compiled-in skin, checked against what the main window does with it: a button's window
// is cut to the non-white pixels of its shape bitmap and shows its other looks inside that
// cut, a thumb is keyed by its top-left pixel, the header image list by magenta.

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QRect>
#include <QRegion>

#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "resources/VarnellResources.h"

namespace {

QImage bitmap(int number) {
  static const bool registered = [] {
    varnell::InitVarnellResources();
    return true;
  }();
  (void)registered;
  return QImage(QStringLiteral(":/bitmaps/%1.png").arg(number))
      .convertToFormat(QImage::Format_ARGB32);
}

bool isWhite(QRgb pixel) { return (pixel & 0x00ffffff) == 0x00ffffff; }

// The window region SetShapeFromBitmap builds: every pixel that is not pure white.
QRegion shapeOf(const QImage& image, QPoint origin = {}) {
  QRegion region;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!isWhite(image.pixel(x, y))) region += QRect(origin.x() + x, origin.y() + y, 1, 1);
  return region;
}

struct Button {
  const char* name;
  QRect rect;
  int shape;  // 0: rectangular window
  std::vector<int> looks;
  int hover;
  int normal;
  int disabled;  // 0: none
};

// Main window buttons: rectangle in window pixels and the bitmaps the window loads.
const std::vector<Button>& buttons() {
  static const std::vector<Button> table = {
      {"Add", {12, 23, 137, 60}, 177, {177, 178}, 178, 177, 0},
      {"Clip", {144, 23, 133, 60}, 280, {280, 226, 180}, 226, 180, 280},
      {"Help", {275, 23, 133, 60}, 181, {181, 182}, 182, 181, 0},
      {"Add Folder", {406, 23, 151, 60}, 183, {183, 184}, 184, 183, 0},
      {"Remove", {47, 380, 70, 56}, 229, {229, 188, 189}, 188, 189, 229},
      {"Clear All", {166, 380, 72, 56}, 269, {269, 191, 212}, 269, 191, 212},
      {"Merge", {291, 380, 70, 56}, 0, {286, 295, 296}, 286, 295, 296},
      {"File Information", {413, 380, 68, 53}, 261, {261, 244, 243}, 244, 243, 261},
      {"Setting", {445, 436, 116, 40}, 196, {196, 197, 200}, 196, 197, 200},
      {"Browse", {445, 480, 110, 33}, 199, {199}, 199, 199, 0},
      {"Find Target", {562, 478, 107, 33}, 204, {204}, 204, 204, 0},
      {"Convert", {669, 429, 187, 81}, 186, {186, 185, 279}, 185, 186, 279},
      {"Play", {555, 380, 54, 35}, 301, {301, 302, 310}, 302, 302, 301},
      {"Stop", {609, 378, 70, 35}, 303, {303, 304}, 304, 304, 303},
      {"Check Volume", {760, 383, 21, 25}, 293, {293}, 293, 293, 0},
      {"About", {821, 0, 21, 28}, 253, {253, 254}, 253, 254, 0},
      {"Minimise", {842, 0, 21, 23}, 207, {207, 208}, 208, 207, 0},
      {"Close", {861, 0, 18, 25}, 209, {209, 210}, 210, 209, 0},
  };
  return table;
}

// Region of a button's face that belongs to the button itself: the unshaped Merge button
// shows the window background in its corners in every look.
QRegion bodyOf(const Button& button) {
  if (button.shape != 0) return shapeOf(bitmap(button.shape));
  return QRegion(QRect(QPoint(0, 0), button.rect.size()).adjusted(8, 8, -8, -8));
}

double meanSaturation(const QImage& face, const QRegion& inside) {
  double sum = 0;
  int count = 0;
  for (const QRect& rect : inside)
    for (int y = rect.top(); y <= rect.bottom(); ++y)
      for (int x = rect.left(); x <= rect.right(); ++x, ++count)
        sum += QColor(face.pixel(x, y)).hslSaturationF();
  return count > 0 ? sum / count : 0;
}

// Mean per-channel difference, 0..255.
double meanDifference(const QImage& a, const QImage& b, const QRegion& inside) {
  double sum = 0;
  int count = 0;
  for (const QRect& rect : inside) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
      for (int x = rect.left(); x <= rect.right(); ++x, ++count) {
        const QRgb p = a.pixel(x, y);
        const QRgb q = b.pixel(x, y);
        sum += (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                std::abs(qBlue(p) - qBlue(q))) /
               3.0;
      }
    }
  }
  return count > 0 ? sum / count : 0;
}

// Drawn once only: keyed by a colour, by pixel (thumbs, header check boxes), or a cursor and an
// icon that Qt scales itself. Every other picture also has its HiDPI drawing.
const std::set<int> kOrdinaryOnly = {292, 262, 266, 308, 309};

std::set<int> allNumbers() {
  std::set<int> numbers;
  for (const Button& button : buttons()) numbers.insert(button.looks.begin(), button.looks.end());
  for (int other : {249, 290, 292, 262, 266, 299, 300, 306, 307, 308, 309, 311, 314, 319})
    numbers.insert(other);
  return numbers;
}

TEST(SkinBitmaps, TheQrcHoldsExactlyTheBitmapsTheProgramLoads) {
  std::set<QString> expected;
  for (int number : allNumbers()) {
    expected.insert(QStringLiteral("%1.png").arg(number));
    if (!kOrdinaryOnly.contains(number)) expected.insert(QStringLiteral("%1@2x.png").arg(number));
  }

  bitmap(290);  // registers the resources
  const QStringList present = QDir(QStringLiteral(":/bitmaps")).entryList(QDir::Files);
  EXPECT_EQ(std::set<QString>(present.begin(), present.end()), expected);
}

TEST(SkinBitmaps, EveryPictureHasTheSizeItIsDrawnAt) {
  EXPECT_EQ(bitmap(290).size(), QSize(880, 540));
  for (const Button& button : buttons())
    for (int look : button.looks)
      EXPECT_EQ(bitmap(look).size(), button.rect.size()) << button.name << " " << look;
  EXPECT_EQ(bitmap(306).size(), QSize(315, 21));
  EXPECT_EQ(bitmap(307).size(), QSize(315, 21));
  EXPECT_EQ(bitmap(300).size(), QSize(81, 19));
  EXPECT_EQ(bitmap(299).size(), QSize(81, 19));
  EXPECT_EQ(bitmap(292).size(), QSize(48, 16));
  EXPECT_EQ(bitmap(266).size(), QSize(256, 256));
  EXPECT_EQ(bitmap(262).size(), QSize(32, 32));
  EXPECT_EQ(bitmap(249).size(), QSize(408, 86));  // the about box's banner
  // The clip dialog, 286 x 273 units at 8 pt, and its position slider (278 x 13 units).
  EXPECT_EQ(bitmap(311).size(), QSize(429, 444));
  EXPECT_EQ(bitmap(314).size(), QSize(417, 21));
  EXPECT_EQ(bitmap(319).size(), QSize(417, 21));
  EXPECT_NE(bitmap(314), bitmap(319));
}

// The HiDPI drawing is the same picture at twice the pixels: exactly double the size, the same
// colours in the same places once shrunk back (a piece copied from the wrong place of the
// background, or drawn unscaled into a corner, shows here), and inside the cut the window makes
// from the ordinary shape no white pixel that would show as a light halo.
TEST(SkinBitmaps, HiDpiDrawingsAreTheOrdinaryPicturesAtTwiceThePixels) {
  std::map<int, int> shapeOfLook;
  for (const Button& button : buttons())
    for (int look : button.looks) shapeOfLook[look] = button.shape;
  for (int number : allNumbers()) {
    if (kOrdinaryOnly.contains(number)) continue;
    const QImage ordinary = bitmap(number);
    const QImage dense = QImage(QStringLiteral(":/bitmaps/%1@2x.png").arg(number))
                             .convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(dense.isNull()) << number;
    ASSERT_EQ(dense.size(), ordinary.size() * 2) << number;

    const int shape = shapeOfLook.contains(number) ? shapeOfLook[number] : 0;
    const QRegion inside =
        shape != 0 ? shapeOf(bitmap(shape)) : QRegion(QRect(QPoint(0, 0), ordinary.size()));
    const QImage shrunk =
        dense.scaled(ordinary.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(meanDifference(shrunk, ordinary, inside), 10.0) << number;
    if (shape == 0) continue;
    int white = 0;
    for (const QRect& rect : inside)
      for (int y = rect.top() * 2; y <= rect.bottom() * 2 + 1; ++y)
        for (int x = rect.left() * 2; x <= rect.right() * 2 + 1; ++x)
          white += isWhite(dense.pixel(x, y)) ? 1 : 0;
    EXPECT_EQ(white, 0) << number;
  }
}

TEST(SkinBitmaps, AllLooksOfAShapedButtonFillExactlyItsShape) {
  for (const Button& button : buttons()) {
    if (button.shape == 0) continue;
    const QRegion shape = shapeOf(bitmap(button.shape));
    EXPECT_FALSE(shape.isEmpty()) << button.name;
    EXPECT_LT(shape.boundingRect().width() * shape.boundingRect().height(),
              button.rect.width() * button.rect.height() + 1)
        << button.name;
    for (int look : button.looks)
      EXPECT_EQ(shapeOf(bitmap(look)), shape) << button.name << " " << look;
  }
}

TEST(SkinBitmaps, AnUnshapedButtonShowsNoWhiteThatWouldLookCutAway) {
  for (int look : {286, 295, 296}) EXPECT_EQ(shapeOf(bitmap(look)), QRegion(0, 0, 70, 56)) << look;
}

TEST(SkinBitmaps, NeighbouringButtonsDoNotOverlapOnTheWindow) {
  std::vector<std::pair<const char*, QRegion>> placed;
  for (const Button& button : buttons()) {
    const QRegion region = button.shape != 0 ? shapeOf(bitmap(button.shape), button.rect.topLeft())
                                             : QRegion(button.rect);
    for (const auto& [otherName, other] : placed)
      EXPECT_TRUE(region.intersected(other).isEmpty()) << button.name << " overlaps " << otherName;
    placed.emplace_back(button.name, region);
  }
}

TEST(SkinBitmaps, HoverStandsOutAndDisabledIsGreyed) {
  for (const Button& button : buttons()) {
    const QRegion body = bodyOf(button);
    const QImage normal = bitmap(button.normal);
    if (button.hover != button.normal) {
      EXPECT_GT(meanDifference(bitmap(button.hover), normal, body), 6.0) << button.name;
    }
    if (button.disabled != 0) {
      EXPECT_LT(meanSaturation(bitmap(button.disabled), body), meanSaturation(normal, body) * 0.5)
          << button.name;
    }
  }
}

// The rim of a shaped button is blended with the dark window behind it; a light rim pixel
// would show as a halo where the window cuts the shape out.
TEST(SkinBitmaps, ShapeEdgesCarryNoLightHalo) {
  for (const Button& button : buttons()) {
    if (button.shape == 0) continue;
    const QRegion shape = shapeOf(bitmap(button.shape));
    for (int look : button.looks) {
      const QImage face = bitmap(look);
      int halo = 0;
      for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
          if (!shape.contains(QPoint(x, y))) continue;
          const bool edge = !shape.contains(QPoint(x - 1, y)) ||
                            !shape.contains(QPoint(x + 1, y)) ||
                            !shape.contains(QPoint(x, y - 1)) || !shape.contains(QPoint(x, y + 1));
          halo += edge && QColor(face.pixel(x, y)).lightnessF() > 0.85;
        }
      }
      EXPECT_EQ(halo, 0) << button.name << " " << look;
    }
  }
}

// Pictures that cover their whole control carry the window background around their drawing;
// it has to be the background that the window shows at that place.
TEST(SkinBitmaps, OpaqueControlsMatchTheBackgroundAroundThem) {
  const QImage window =
      bitmap(290).scaled(880, 537, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  struct Covering {
    int number;
    QRect rect;
  };
  const Covering coverings[] = {
      {306, {557, 357, 315, 21}}, {307, {557, 357, 315, 21}}, {300, {782, 385, 81, 19}},
      {299, {782, 385, 81, 19}},  {286, {291, 380, 70, 56}},  {295, {291, 380, 70, 56}},
      {296, {291, 380, 70, 56}},
  };
  for (const Covering& covering : coverings) {
    const QImage picture = bitmap(covering.number);
    for (QPoint corner :
         {QPoint(0, 0), QPoint(picture.width() - 1, 0), QPoint(0, picture.height() - 1),
          QPoint(picture.width() - 1, picture.height() - 1)}) {
      const QRgb own = picture.pixel(corner);
      const QRgb behind = window.pixel(covering.rect.topLeft() + corner);
      const int difference = std::abs(qRed(own) - qRed(behind)) +
                             std::abs(qGreen(own) - qGreen(behind)) +
                             std::abs(qBlue(own) - qBlue(behind));
      EXPECT_LT(difference, 18) << covering.number << " at " << corner.x() << "," << corner.y();
    }
  }
}

TEST(SkinBitmaps, PlayingFaceDiffersFromThePlayFace) { EXPECT_NE(bitmap(302), bitmap(310)); }

TEST(SkinBitmaps, ThumbsKeyTheirCornerAndFitBothChannels) {
  for (int number : {308, 309}) {
    const QImage thumb = bitmap(number);
    const QRgb key = thumb.pixel(0, 0);
    int opaque = 0;
    for (int y = 0; y < thumb.height(); ++y)
      for (int x = 0; x < thumb.width(); ++x) opaque += thumb.pixel(x, y) != key;
    EXPECT_GT(opaque, thumb.width() * thumb.height() * 9 / 10) << number;
    EXPECT_NE(thumb.pixel(thumb.width() / 2, thumb.height() / 2), key) << number;
    // Drawn with its top 3 pixels below the control's top, it must end inside the volume channel.
    EXPECT_LE(3 + thumb.height(), bitmap(300).height()) << number;
  }
  EXPECT_EQ(bitmap(308).size(), bitmap(309).size());
  EXPECT_NE(bitmap(308), bitmap(309));
}

TEST(SkinBitmaps, HeaderCheckBoxesAreClearAndCheckedOnMagenta) {
  const QImage strip = bitmap(292);
  const QRgb magenta = qRgb(255, 0, 255);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      EXPECT_EQ(strip.pixel(x, y), magenta) << "unused image at " << x << "," << y;
  QImage images[2] = {strip.copy(16, 0, 16, 16), strip.copy(32, 0, 16, 16)};
  for (const QImage& image : images) {
    EXPECT_EQ(image.pixel(0, 0), magenta);
    EXPECT_NE(image.pixel(8, 8), magenta);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const QColor colour(image.pixel(x, y));
        const bool pinkBlend = colour.rgb() != magenta && colour.red() > 180 &&
                               colour.blue() > 180 && colour.green() < colour.red() - 60;
        EXPECT_FALSE(pinkBlend) << "edge blended into the key at " << x << "," << y;
      }
    }
  }
  EXPECT_NE(images[0], images[1]);
}

TEST(SkinBitmaps, IconAndCursorAreTransparentAroundTheirDrawing) {
  const QImage icon = bitmap(266);
  for (QPoint corner : {QPoint(0, 0), QPoint(255, 0), QPoint(0, 255), QPoint(255, 255)})
    EXPECT_EQ(qAlpha(icon.pixel(corner)), 0);
  EXPECT_EQ(qAlpha(icon.pixel(128, 128)), 255);

  const QImage cursor = bitmap(262);
  EXPECT_EQ(qAlpha(cursor.pixel(31, 0)), 0);
  EXPECT_EQ(qAlpha(cursor.pixel(0, 0)), 0);
}

TEST(SkinBitmaps, CursorHotSpotIsTheTopOfTheFinger) {
  const QImage cursor = bitmap(262);
  const QPoint hotSpot = varnell::kHandCursorHotSpot;
  ASSERT_TRUE(cursor.rect().contains(hotSpot));
  EXPECT_GE(qAlpha(cursor.pixel(hotSpot)), 128);
  for (int y = 0; y < hotSpot.y(); ++y)
    for (int x = 0; x < cursor.width(); ++x)
      EXPECT_LT(qAlpha(cursor.pixel(x, y)), 128) << "drawn above the hot spot at " << x << "," << y;
}

}  // namespace

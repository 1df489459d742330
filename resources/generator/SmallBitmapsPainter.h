#pragma once

#include <QImage>

class QPainter;

namespace varnell::skin {

// The pictures that are not part of the window's surface: the task list header's check
// boxes (292), the application icon (266) and the hand cursor (262).
class SmallBitmapsPainter {
 public:
  // 48 x 16: three 16 x 16 images, 0 unused, 1 clear box, 2 checked box; magenta is
  // transparent, so no pixel of a box may blend into it.
  static QImage headerCheckBoxes();
  static QImage applicationIcon();  // kApplicationIconSide square with alpha
  // The same icon onto any paint device (the desktop icons' PNG sizes and SVG), in a
  // kApplicationIconSide square; scale the painter for other sizes.
  static void paintApplicationIcon(QPainter& painter);
  static QImage handCursor();  // 32 x 32 with alpha; fingertip at kHandCursorHotSpot

  static constexpr QRgb kCheckBoxKey = 0xffff00ff;
  static constexpr int kApplicationIconSide = 256;
};

}  // namespace varnell::skin

#pragma once

#include <QImage>

#include <vector>

#include "resources/generator/PictureCaption.h"

class QPainter;

namespace varnell::skin {

// Bitmap 290: the whole main window behind its controls. Drawn in window coordinates and
// squeezed to the bitmap's 880 x 540, so that after the window stretches it over its
// 880 x 537 client area every panel meets its control exactly. At a scale of 2 the same
// picture for HiDPI screens, at twice the pixels.
class BackgroundPainter {
 public:
  static QImage paint(qreal scale = 1.0);
  // The words the window draws over the picture: the tagline, the empty list's invitation, the
  // preview's heading and the output card's labels.
  static std::vector<PictureCaption> captions();

 private:
  static void paintBase(QPainter& painter);
  static void paintHeader(QPainter& painter);
  static void paintTaskListInvitation(QPainter& painter);
  static void paintPreviewScreen(QPainter& painter);
  static void paintFormatCard(QPainter& painter);
  static void paintWindowEdge(QPainter& painter);
};

}  // namespace varnell::skin

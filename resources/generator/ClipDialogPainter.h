#pragma once

#include <QImage>

class QPainter;

namespace varnell::skin {

// Bitmap 311: the clip dialog behind its controls, at the dialog's own size so that nothing
// is stretched. The preview area is a dark screen, so that the dialog's background covering
// the last picture after Stop reads as "no picture".
class ClipDialogPainter {
 public:
  static QImage paint(qreal scale = 1.0);  // scale 2: for HiDPI screens

 private:
  static void paintBase(QPainter& painter);
  static void paintScreen(QPainter& painter);
  static void paintTransportStrip(QPainter& painter);
  static void paintTimeCards(QPainter& painter);
};

}  // namespace varnell::skin

#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <string>

namespace varnell::testpictures {

// The palette's button face in the tests that check what a control paints over it.
inline const QColor kButtonFace(200, 180, 20);

inline QImage SolidPicture(QSize size, const QColor& colour) {
  QImage picture(size, QImage::Format_RGB32);
  picture.fill(colour);
  return picture;
}

inline QImage WithBlock(QImage picture, const QRect& block, const QColor& colour) {
  for (int y = block.top(); y <= block.bottom(); ++y) {
    for (int x = block.left(); x <= block.right(); ++x) {
      picture.setPixelColor(x, y, colour);
    }
  }
  return picture;
}

// "#rrggbb", so a failed comparison reads as colours.
inline std::string ColourAt(const QImage& picture, int x, int y) {
  return picture.pixelColor(x, y).name().toStdString();
}

inline QImage Rendered(QWidget& widget) { return widget.grab().toImage(); }

}  // namespace varnell::testpictures

#pragma once

#include <QImage>

#include <vector>

#include "resources/generator/PictureCaption.h"

namespace varnell::skin {

// Bitmap 249: the banner across the top of the about box, 408 x 86. It carries the window
// header's wordmark, so the box reads as part of the same program.
class AboutPicturePainter {
 public:
  static QImage paint(qreal scale = 1.0);  // scale 2: for HiDPI screens
  // The tagline under the name, drawn by the about box in its language.
  static std::vector<PictureCaption> captions();

  static constexpr int kWidth = 408;
  static constexpr int kHeight = 86;
};

}  // namespace varnell::skin

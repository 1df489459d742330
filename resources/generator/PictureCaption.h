#pragma once

#include <QColor>
#include <QString>

#include "controls/SkinCaption.h"

namespace varnell::skin {

// Words a picture leaves room for (its box in the picture's own logical pixels); the window
// draws them over the picture in its language.
struct PictureCaption {
  int bitmap;
  QString text;
  CaptionStyle style;
  CaptionInk ink;
};

// An invalid shadow colour is no shadow.
inline CaptionInk InkOf(const QColor& text, const QColor& shadow) {
  return {text.rgba(), shadow.isValid() ? shadow.rgba() : 0u};
}

}  // namespace varnell::skin

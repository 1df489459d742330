#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

// The skin is drawn once for ordinary screens and once at twice the density for HiDPI
// screens. Every painter draws in window pixels; an image made here carries the density as its
// device pixel ratio, so a QPainter on it scales the drawing, and only code that touches pixels
// one by one (or copies a piece of another picture) has to work in device pixels.
namespace varnell::skin {

inline QImage ScaledImage(QSize logicalSize, QImage::Format format, qreal scale) {
  QImage image(logicalSize * scale, format);
  image.setDevicePixelRatio(scale);
  return image;
}

// A rectangle of window pixels in the device pixels of a picture drawn at `scale`.
inline QRect DevicePixels(const QRect& rect, qreal scale) {
  return QRect(rect.topLeft() * scale, rect.size() * scale);
}

// The piece of `picture` under `rect` (window pixels), at the picture's own density.
inline QImage CopyScaled(const QImage& picture, const QRect& rect) {
  const qreal scale = picture.devicePixelRatio();
  QImage piece = picture.copy(DevicePixels(rect, scale));
  piece.setDevicePixelRatio(scale);
  return piece;
}

}  // namespace varnell::skin

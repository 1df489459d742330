#include "controls/OffscreenBuffer.h"

#include <QPaintDevice>

namespace varnell {

namespace {

// The buffer matches the target's pixel density, so a high-DPI screen gets
// the pictures at full resolution instead of an enlarged low-resolution copy.
QPixmap MakeBuffer(QPainter& target, const QRect& rect, const QColor& background) {
  const qreal ratio = target.device() != nullptr ? target.device()->devicePixelRatioF() : 1.0;
  QPixmap buffer(rect.size() * ratio);
  buffer.setDevicePixelRatio(ratio);
  buffer.fill(background);
  return buffer;
}

}  // namespace

OffscreenBuffer::OffscreenBuffer(QPainter& target, const QRect& rect, const QColor& background)
    : target_(target), rect_(rect), buffer_(MakeBuffer(target, rect, background)) {
  if (!buffer_.isNull()) {
    painter_.begin(&buffer_);
    painter_.translate(-rect_.topLeft());
  }
}

OffscreenBuffer::~OffscreenBuffer() {
  if (painter_.isActive()) {
    painter_.end();
    target_.drawPixmap(rect_.topLeft(), buffer_);
  }
}

QPainter& OffscreenBuffer::painter() { return painter_; }

}  // namespace varnell

#include "clip/ClipPreviewArea.h"

#include <QPainter>

namespace varnell {

ClipPreviewArea::ClipPreviewArea(int controlId, QWidget* parent)
    : QWidget(parent), controlId_(controlId) {
  setAttribute(Qt::WA_TranslucentBackground);
}

void ClipPreviewArea::ShowBottomUpBgr(const std::vector<unsigned char>& frame, int width,
                                      int height) {
  const auto needed = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
  if (width <= 0 || height <= 0 || frame.size() < needed) return;
  // The wrapping image borrows the buffer; mirrored() makes the deep copy that is kept.
  const QImage borrowed(frame.data(), width, height, width * 3, QImage::Format_BGR888);
  picture_ = borrowed.mirrored(false, true);
  update();
}

void ClipPreviewArea::Clear() {
  picture_ = QImage();
  update();
}

void ClipPreviewArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!picture_.isNull()) {
    // Plain stretching without smoothing, as the picture was drawn before: cheap at 15 frames
    // a second.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), picture_);
  }
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace varnell

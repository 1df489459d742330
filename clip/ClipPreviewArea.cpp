#include "clip/ClipPreviewArea.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "playermodule/PlayerModule.h"

namespace varnell {

ClipPreviewArea::ClipPreviewArea(int controlId, QWidget* parent)
    : QWidget(parent), controlId_(controlId) {
  setAttribute(Qt::WA_TranslucentBackground);
}

bool ClipPreviewArea::TakePictureOfOpenFile() {
  frame_.clear();
  frameWidth_ = frameHeight_ = 0;
  pictureMoves_ = false;
  int hasPicture = 0;
  int hasSound = 0;
  int width = 0;
  int height = 0;
  if (PlayerModule_GetMideaType(&hasPicture, &hasSound) != 0 || hasPicture == 0 ||
      PlayerModule_GetFrameSize(&width, &height) != 0 || width <= 0 || height <= 0) {
    return false;
  }
  pictureMoves_ = hasPicture == 2;
  // The player scales the picture itself, so a large picture is not copied whole 15 times a
  // second and a small one is enlarged smoothly; the paint then draws it pixel for pixel.
  const QSizeF area = QSizeF(size()) * devicePixelRatioF();
  const double scale = std::min(area.width() / width, area.height() / height);
  frameWidth_ = std::max(1, static_cast<int>(std::lround(width * scale)));
  frameHeight_ = std::max(1, static_cast<int>(std::lround(height * scale)));
  frame_.assign(static_cast<std::size_t>(frameWidth_) * frameHeight_ * 3, 0);
  return true;
}

void ClipPreviewArea::ShowPlayerPicture() {
  if (!pictureMoves_ && !picture_.isNull()) return;  // a still cover is fetched once
  if (frame_.empty() || PlayerModule_GetFrame(frame_.data(), frameWidth_, frameHeight_) != 0) {
    return;
  }
  ShowBottomUpBgr(frame_, frameWidth_, frameHeight_);
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

QRect ClipPreviewArea::pictureRect() const {
  if (picture_.isNull()) return {};
  const QSize fitted = picture_.size().scaled(size(), Qt::KeepAspectRatio);
  return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void ClipPreviewArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!picture_.isNull()) {
    // A square cover in the wide area keeps its shape; the sides stay black. No smoothing:
    // the player already gave the picture at the size it is drawn, 15 times a second.
    painter.fillRect(rect(), Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(pictureRect(), picture_);
  }
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace varnell

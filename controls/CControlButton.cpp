#include "controls/CControlButton.h"

#include <QColor>
#include <QEnterEvent>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include "controls/BitmapRegion.h"
#include "controls/BitmapResource.h"

namespace varnell {

namespace {

// Most buttons load their normal picture as the pressed one; the shift and the
// shade still make a press visible.
constexpr QPoint kPressedShift(1, 1);
const QColor kPressedShade(0, 0, 0, 31);  // about 12 % black

// Qt clears the mask when given an empty region; a region wholly outside the
// widget keeps an all-white shape invisible instead.
const QRegion kNothingVisible(-1, -1, 1, 1);

}  // namespace

CControlButton::CControlButton(int controlId, QWidget* parent)
    : QAbstractButton(parent), controlId_(controlId) {}

int CControlButton::controlId() const {
  return controlId_;
}

void CControlButton::SetShapeFromBitmap(int bitmapId) {
  SetShapeFromImage(LoadBitmapResource(bitmapId));
}

void CControlButton::SetShapeFromImage(const QImage& shape) {
  shape_ = RegionFromBitmap(shape);
  shaped_ = true;
  setMask(shape_.isEmpty() ? kNothingVisible : shape_);
  update();
}

void CControlButton::LoadStateBitmaps(int hoverId, int normalId, int pressedId) {
  SetStateImages(LoadBitmapResource(hoverId), LoadBitmapResource(normalId),
                 LoadBitmapResource(pressedId));
}

void CControlButton::SetStateImages(const QImage& hover, const QImage& normal,
                                    const QImage& pressed) {
  hoverFace_ = QPixmap::fromImage(hover);
  normalFace_ = QPixmap::fromImage(normal);
  pressedFace_ = QPixmap::fromImage(pressed);
  updateGeometry();
  update();
}

bool CControlButton::isHovered() const {
  return hovered_;
}

QSize CControlButton::sizeHint() const {
  return normalFace_.isNull() ? QAbstractButton::sizeHint() : normalFace_.size();
}

void CControlButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (shaped_) {
    painter.setClipRegion(shape_);
  }
  const QPixmap& face = hovered_ ? hoverFace_ : normalFace_;
  if (!face.isNull()) {
    painter.drawPixmap(rect(), face);
  }
  if (isDown()) {
    if (!pressedFace_.isNull()) {
      painter.drawPixmap(rect().translated(kPressedShift), pressedFace_);
    }
    painter.fillRect(rect(), kPressedShade);
  }
}

// Enter and leave stand in for the short hover timer of the skinned dialogs:
// the face changes as soon as the pointer crosses the shape's edge.
void CControlButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void CControlButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

// Also consulted while the button is held, so dragging off the shape (not just
// off the bounding box) releases the press.
bool CControlButton::hitButton(const QPoint& pos) const {
  return shaped_ ? shape_.contains(pos) : rect().contains(pos);
}

}  // namespace varnell

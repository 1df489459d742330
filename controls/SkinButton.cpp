#include "controls/SkinButton.h"

#include <QColor>
#include <QEnterEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include "controls/BitmapRegion.h"
#include "controls/BitmapResource.h"
#include "controls/PixelRatioChange.h"

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

SkinButton::SkinButton(int controlId, QWidget* parent)
    : QAbstractButton(parent), controlId_(controlId), focusMark_(new KeyboardFocusMark(*this)) {
  setFocusPolicy(Qt::StrongFocus);
}

SkinButton::~SkinButton() { ReturnAncestorCursor(); }

int SkinButton::controlId() const { return controlId_; }

void SkinButton::SetShapeFromBitmap(int bitmapId) {
  SetShapeFromImage(LoadBitmapResource(bitmapId));
}

void SkinButton::SetShapeFromImage(const QImage& shape) {
  shape_ = RegionFromBitmap(shape);
  shaped_ = true;
  setMask(shape_.isEmpty() ? kNothingVisible : shape_);
  update();
}

void SkinButton::LoadStateBitmaps(int hoverId, int normalId, int pressedId) {
  facesRatio_ = devicePixelRatioF();
  faceBitmaps_ = {hoverId, normalId, pressedId};
  ShowFaces(LoadBitmapResource(hoverId, facesRatio_), LoadBitmapResource(normalId, facesRatio_),
            LoadBitmapResource(pressedId, facesRatio_));
}

void SkinButton::SetStateImages(const QImage& hover, const QImage& normal, const QImage& pressed) {
  faceBitmaps_.reset();
  ShowFaces(hover, normal, pressed);
}

bool SkinButton::event(QEvent* event) {
  if (MayChangePixelRatio(*event) && faceBitmaps_ && devicePixelRatioF() != facesRatio_) {
    const auto [hover, normal, pressed] = *faceBitmaps_;
    LoadStateBitmaps(hover, normal, pressed);
  }
  return QAbstractButton::event(event);
}

void SkinButton::ShowFaces(const QImage& hover, const QImage& normal, const QImage& pressed) {
  hoverFace_ = QPixmap::fromImage(hover);
  normalFace_ = QPixmap::fromImage(normal);
  pressedFace_ = QPixmap::fromImage(pressed);
  updateGeometry();
  update();
}

void SkinButton::SetCaption(const QString& text, const ButtonCaption& caption) {
  caption_ = caption;
  fittedCaption_ = FitCaption(caption.style, text);
  if (fittedCaption_.elided && toolTip().isEmpty()) setToolTip(text);
  update();
}

QString SkinButton::shownCaption() const { return caption_ ? fittedCaption_.shown : QString(); }

bool SkinButton::isHovered() const { return hovered_; }

bool SkinButton::isFocusMarkShown() const { return focusMark_->isShown(); }

QSize SkinButton::sizeHint() const {
  return normalFace_.isNull() ? QAbstractButton::sizeHint()
                              : normalFace_.deviceIndependentSize().toSize();
}

void SkinButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (shaped_) {
    painter.setClipRegion(shape_);
  }
  PaintFace(painter, hovered_ ? hoverFace_ : normalFace_, QPoint());
  if (isDown()) {
    PaintFace(painter, pressedFace_, kPressedShift);
    painter.fillRect(rect(), kPressedShade);
  }
}

void SkinButton::PaintFace(QPainter& painter, const QPixmap& face, QPoint offset) const {
  if (face.isNull()) return;
  painter.drawPixmap(rect().translated(offset), face);
  if (!caption_) return;
  const CaptionInk& ink = !isEnabled() ? caption_->disabled
                          : hovered_   ? caption_->hover
                                       : caption_->normal;
  PaintCaption(painter, caption_->style, fittedCaption_, ink, offset);
}

// Enter and leave stand in for the short hover timer of the skinned dialogs:
// the face changes as soon as the pointer crosses the shape's edge.
void SkinButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  LendCursorToAncestor();
  update();
  QAbstractButton::enterEvent(event);
}

void SkinButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  ReturnAncestorCursor();
  update();
  QAbstractButton::leaveEvent(event);
}

// Disabling the button under the pointer makes Qt clear the shown cursor just
// before this event, and nothing else sets it until the pointer moves to
// another widget: show the button's cursor again.
void SkinButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && hovered_ && !isEnabled() &&
      testAttribute(Qt::WA_SetCursor)) {
    if (QWindow* shown = window()->windowHandle()) shown->setCursor(cursor());
  }
  QAbstractButton::changeEvent(event);
}

// Entering a disabled widget, Qt shows the cursor of the nearest enabled
// ancestor; lending it the cursor while the pointer is here (enabled or not,
// since the state may change meanwhile) makes that the button's.
void SkinButton::LendCursorToAncestor() {
  if (!testAttribute(Qt::WA_SetCursor) || cursorBorrower_) return;
  QWidget* ancestor = parentWidget();
  while (ancestor != nullptr && !ancestor->isWindow() && !ancestor->isEnabled()) {
    ancestor = ancestor->parentWidget();
  }
  if (ancestor == nullptr) return;
  cursorBorrower_ = ancestor;
  borrowerCursor_.reset();
  if (ancestor->testAttribute(Qt::WA_SetCursor)) borrowerCursor_ = ancestor->cursor();
  ancestor->setCursor(cursor());
}

void SkinButton::ReturnAncestorCursor() {
  if (!cursorBorrower_) return;
  if (borrowerCursor_) {
    cursorBorrower_->setCursor(*borrowerCursor_);
  } else {
    cursorBorrower_->unsetCursor();
  }
  cursorBorrower_ = nullptr;
  borrowerCursor_.reset();
}

// Space is QAbstractButton's (down on press, click on release); Enter clicks at once, as it does
// on a dialog's push buttons.
void SkinButton::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
    event->accept();
    click();
    return;
  }
  QAbstractButton::keyPressEvent(event);
}

// Also consulted while the button is held, so dragging off the shape (not just
// off the bounding box) releases the press.
bool SkinButton::hitButton(const QPoint& pos) const {
  return shaped_ ? shape_.contains(pos) : rect().contains(pos);
}

}  // namespace varnell

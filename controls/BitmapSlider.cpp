#include "controls/BitmapSlider.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "controls/BitmapResource.h"
#include "controls/OffscreenBuffer.h"
#include "controls/PixelRatioChange.h"

namespace varnell {

namespace {

constexpr int kThumbBitmap = 308;
constexpr int kActiveThumbBitmap = 309;

// The thumb pictures mark their transparent pixels with the colour of their
// top-left pixel.
QPixmap TransparentThumb(const QImage& picture) {
  QImage thumb = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb transparentColour = thumb.pixel(0, 0) & 0x00FFFFFFu;
  for (int y = 0; y < thumb.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(thumb.scanLine(y));
    for (int x = 0; x < thumb.width(); ++x) {
      if ((row[x] & 0x00FFFFFFu) == transparentColour) {
        row[x] = 0;
      }
    }
  }
  return QPixmap::fromImage(thumb);
}

int TruncatedToInt(double value) {
  constexpr double lowest = std::numeric_limits<int>::min();
  constexpr double highest = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(value, lowest, highest));
}

}  // namespace

BitmapSlider::BitmapSlider(int controlId, QWidget* parent)
    : QWidget(parent), controlId_(controlId), focusMark_(new KeyboardFocusMark(*this)) {
  setFocusPolicy(Qt::StrongFocus);
  // Every paint fills the whole control through the off-screen buffer, so Qt
  // need not clear it first; that would flicker under the preview's 100 ms
  // position updates.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

int BitmapSlider::controlId() const { return controlId_; }

bool BitmapSlider::LoadChannel(int normalBitmapId, int selectedRangeBitmapId) {
  const qreal ratio = devicePixelRatioF();
  const QImage normal = LoadBitmapResource(normalBitmapId, ratio);
  const QImage selectedRange = LoadBitmapResource(selectedRangeBitmapId, ratio);
  if (normal.isNull() || selectedRange.isNull()) {
    return LoadChannelImages(QImage(), QImage());
  }
  const bool loaded = LoadChannelImages(normal, selectedRange);
  channelBitmaps_ = {normalBitmapId, selectedRangeBitmapId};
  channelRatio_ = ratio;
  return loaded;
}

bool BitmapSlider::event(QEvent* event) {
  if (MayChangePixelRatio(*event) && channelBitmaps_ && devicePixelRatioF() != channelRatio_)
    LoadChannel(channelBitmaps_->first, channelBitmaps_->second);
  return QWidget::event(event);
}

bool BitmapSlider::LoadChannelImages(const QImage& normal, const QImage& selectedRange) {
  channelBitmaps_.reset();
  if (normal.isNull()) {
    channel_ = QPixmap();
    selectedRangeChannel_ = QPixmap();
    channelSize_ = QSize();
    update();
    return false;
  }
  channel_ = QPixmap::fromImage(normal);
  selectedRangeChannel_ = selectedRange.isNull() ? QPixmap() : QPixmap::fromImage(selectedRange);
  channelSize_ = channel_.deviceIndependentSize().toSize();
  resize(channelSize_);
  update();
  return true;
}

bool BitmapSlider::LoadThumb() {
  const QImage thumb = LoadBitmapResource(kThumbBitmap);
  const QImage activeThumb = LoadBitmapResource(kActiveThumbBitmap);
  if (thumb.isNull() || activeThumb.isNull()) {
    return LoadThumbImages(QImage(), QImage());
  }
  return LoadThumbImages(thumb, activeThumb);
}

bool BitmapSlider::LoadThumbImages(const QImage& thumb, const QImage& activeThumb) {
  if (thumb.isNull()) {
    thumb_ = QPixmap();
    activeThumb_ = QPixmap();
    update();
    return false;
  }
  thumb_ = TransparentThumb(thumb);
  activeThumb_ = activeThumb.isNull() ? QPixmap() : TransparentThumb(activeThumb);
  update();
  return true;
}

void BitmapSlider::SetLimits(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  StoreValue(value_);
  beginMark_ = Clamped(beginMark_);
  endMark_ = Clamped(endMark_);
  update();
}

void BitmapSlider::SetValue(int value) { StoreValue(value); }

void BitmapSlider::MoveTo(int value) {
  StoreValue(value);
  // Also when the value stayed: owners treat every handled key as a finished move.
  emit released(controlId_, value_);
}

void BitmapSlider::StoreValue(int value) {
  const int previous = value_;
  value_ = Clamped(value);
  update();
  if (value_ != previous && QAccessible::isActive()) {
    QAccessibleValueChangeEvent change(this, value_);
    QAccessible::updateAccessibility(&change);
  }
}

int BitmapSlider::GetValue() const { return value_; }

int BitmapSlider::GetMinimum() const { return minimum_; }

int BitmapSlider::GetMaximum() const { return maximum_; }

void BitmapSlider::SetPageStep(int step) { pageStep_ = step; }

int BitmapSlider::pageStep() const { return pageStep_; }

void BitmapSlider::SetMargins(int left, int top, int right, int bottom) {
  leftMargin_ = left;
  topMargin_ = top;
  rightMargin_ = right;
  bottomMargin_ = bottom;
  update();
}

bool BitmapSlider::isFocusMarkShown() const { return focusMark_->isShown(); }

void BitmapSlider::SetFocusFrame(bool wanted) {
  focusFrameWanted_ = wanted;
  update();
}

void BitmapSlider::SetBeginMark(int value) {
  beginMark_ = Clamped(value);
  update();
}

void BitmapSlider::SetEndMark(int value) {
  endMark_ = Clamped(value);
  update();
}

void BitmapSlider::SetMarkMode(int mode) {
  if (mode < 0 || mode > 2) {
    return;
  }
  markMode_ = mode;
  update();
}

int BitmapSlider::beginMark() const { return beginMark_; }

int BitmapSlider::endMark() const { return endMark_; }

int BitmapSlider::markMode() const { return markMode_; }

bool BitmapSlider::isDragging() const { return dragging_; }

int BitmapSlider::Clamped(int value) const {
  // Maximum first: with inverted limits the minimum wins.
  return std::max(std::min(value, maximum_), minimum_);
}

int BitmapSlider::Travel() const {
  return std::max(0, channelSize_.width() - rightMargin_ - thumb_.width() - leftMargin_);
}

int BitmapSlider::ValueToPixel(int value) const {
  int offset = 0;
  if (maximum_ != minimum_) {
    const double fraction =
        (static_cast<double>(value) - minimum_) / (static_cast<double>(maximum_) - minimum_);
    offset = TruncatedToInt(fraction * Travel());
  }
  return leftMargin_ + offset + thumb_.width() / 2;
}

int BitmapSlider::PixelToValue(int x) const {
  const int travel = Travel();
  if (travel == 0) {
    return minimum_;
  }
  const double fraction = (static_cast<double>(x) - thumb_.width() / 2 - leftMargin_) / travel;
  return TruncatedToInt(minimum_ + fraction * (static_cast<double>(maximum_) - minimum_));
}

void BitmapSlider::DragTo(int pointerX) {
  const int lowest = leftMargin_ + thumb_.width() / 2;
  const int highest = std::max(lowest, channelSize_.width() - rightMargin_ - thumb_.width() / 2);
  const int target = std::clamp(pointerX - dragOffset_, lowest, highest);
  if (target == ValueToPixel(value_)) {
    return;
  }
  // Where several pixels share one value, a move within them reports nothing.
  const int value = Clamped(PixelToValue(target));
  if (value == value_) {
    return;
  }
  StoreValue(value);
  emit moved(controlId_, value_);
}

void BitmapSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  dragging_ = true;
  const int pointerX = event->position().toPoint().x();
  const int fromThumbCentre = pointerX - ValueToPixel(value_);
  // On the thumb it keeps its grab point; elsewhere its centre jumps to the pointer.
  dragOffset_ = std::abs(fromThumbCentre) <= thumb_.width() / 2 ? fromThumbCentre : 0;
  DragTo(pointerX);
  update();
  event->accept();
}

void BitmapSlider::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) {
    QWidget::mouseMoveEvent(event);
    return;
  }
  DragTo(event->position().toPoint().x());
  event->accept();
}

void BitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  dragging_ = false;
  update();
  emit released(controlId_, value_);
  event->accept();
}

void BitmapSlider::keyPressEvent(QKeyEvent* event) {
  int value = value_;
  switch (event->key()) {
    case Qt::Key_PageUp:
      value -= pageStep_;
      break;
    case Qt::Key_PageDown:
      value += pageStep_;
      break;
    case Qt::Key_End:
      value = maximum_;
      break;
    case Qt::Key_Home:
      value = minimum_;
      break;
    case Qt::Key_Right:
    case Qt::Key_Down:
      value += 1;
      break;
    case Qt::Key_Left:
    case Qt::Key_Up:
      value -= 1;
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  MoveTo(value);
  event->accept();
}

void BitmapSlider::focusInEvent(QFocusEvent* event) {
  update();
  QWidget::focusInEvent(event);
}

void BitmapSlider::focusOutEvent(QFocusEvent* event) {
  update();
  QWidget::focusOutEvent(event);
}

void BitmapSlider::paintEvent(QPaintEvent* /*event*/) {
  QPainter screen(this);
  OffscreenBuffer buffer(screen, rect(), palette().color(backgroundRole()));
  QPainter& painter = buffer.painter();

  if (!channel_.isNull()) {
    PaintChannel(painter);
  }
  if (!thumb_.isNull()) {
    const QPixmap& thumb = dragging_ && !activeThumb_.isNull() ? activeThumb_ : thumb_;
    painter.drawPixmap(ValueToPixel(value_) - thumb_.width() / 2, topMargin_, thumb);
  }
  if (focusFrameWanted_ && hasFocus() && !focusMark_->isShown()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

// Unselected stretches come from the channel picture, the clip range from the
// selected-range picture; a begin mark of 0 means the range starts at the left
// edge and an end mark at the maximum means it runs to the right edge.
void BitmapSlider::PaintChannel(QPainter& painter) const {
  const int width = channelSize_.width();
  if (selectedRangeChannel_.isNull()) {
    PaintChannelPiece(painter, channel_, 0, width);
    return;
  }
  switch (markMode_) {
    case 1:
      if (beginMark_ == 0) {
        PaintChannelPiece(painter, selectedRangeChannel_, 0, width);
      } else {
        const int begin = ValueToPixel(beginMark_);
        PaintChannelPiece(painter, channel_, 0, begin);
        PaintChannelPiece(painter, selectedRangeChannel_, begin, width);
      }
      break;
    case 2: {
      int begin = 0;
      if (beginMark_ != 0) {
        begin = ValueToPixel(beginMark_);
        PaintChannelPiece(painter, channel_, 0, begin);
      }
      if (endMark_ == maximum_) {
        PaintChannelPiece(painter, selectedRangeChannel_, begin, width);
      } else {
        const int end = ValueToPixel(endMark_);
        PaintChannelPiece(painter, channel_, end, width);
        PaintChannelPiece(painter, selectedRangeChannel_, begin, end);
      }
      break;
    }
    default:
      PaintChannelPiece(painter, selectedRangeChannel_, 0, width);
      break;
  }
}

void BitmapSlider::PaintChannelPiece(QPainter& painter, const QPixmap& source, int fromX,
                                     int toX) const {
  if (toX <= fromX) {
    return;
  }
  const QRect piece(fromX, 0, toX - fromX, channelSize_.height());
  // The source rectangle is in the picture's own pixels, twice as many on a HiDPI screen.
  const qreal ratio = source.devicePixelRatio();
  painter.drawPixmap(QRectF(piece), source,
                     QRectF(piece.x() * ratio, 0, piece.width() * ratio, piece.height() * ratio));
}

}  // namespace varnell

#include "controls/KeyboardFocusMark.h"

#include <algorithm>

#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QRegion>

namespace varnell {

namespace {

constexpr int kInset = 3;

}  // namespace

KeyboardFocusMark::KeyboardFocusMark(QWidget& control, QWidget* surface)
    : QObject(&control), control_(control), surface_(surface != nullptr ? surface : &control) {
  control_.installEventFilter(this);
  if (surface_ != &control_) surface_->installEventFilter(this);
}

bool KeyboardFocusMark::isShown() const { return byKeyboard_ && control_.hasFocus(); }

void KeyboardFocusMark::Draw(QPainter& painter, QRect face) {
  const int inset = std::min({kInset, (face.width() - 2) / 2, (face.height() - 2) / 2});
  if (inset < 0) return;
  const QRect mark = face.adjusted(inset, inset, -inset - 1, -inset - 1);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
  painter.drawRect(mark);
  painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
  painter.drawRect(mark);
  painter.restore();
}

bool KeyboardFocusMark::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &control_ && event->type() == QEvent::FocusIn) {
    switch (static_cast<QFocusEvent*>(event)->reason()) {
      case Qt::TabFocusReason:
      case Qt::BacktabFocusReason:
      case Qt::ShortcutFocusReason:
        byKeyboard_ = true;
        break;
      // The window getting active again, or a menu closing, gives back the focus it had:
      // the mark stays as it was.
      case Qt::ActiveWindowFocusReason:
      case Qt::PopupFocusReason:
        break;
      default:
        byKeyboard_ = false;
        break;
    }
    if (surface_) surface_->update();
  } else if (watched == &control_ && event->type() == QEvent::FocusOut) {
    if (surface_) surface_->update();
  } else if (watched == surface_ && event->type() == QEvent::Paint && !painting_ && isShown()) {
    // The control paints first (this filter sees the nested delivery and lets it through), then
    // the mark goes over its face, still inside the same paint.
    painting_ = true;
    QCoreApplication::sendEvent(surface_, event);
    painting_ = false;
    QPainter painter(surface_);
    Draw(painter, Face());
    return true;
  }
  return QObject::eventFilter(watched, event);
}

// A shaped button's face is its mask's extent, not its rectangle.
QRect KeyboardFocusMark::Face() const {
  const QRegion shape = surface_->mask();
  const QRect bounds = shape.boundingRect() & surface_->rect();
  return shape.isEmpty() || bounds.isEmpty() ? surface_->rect() : bounds;
}

}  // namespace varnell

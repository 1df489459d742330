#pragma once

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QRect>

namespace varnell {

// Off-screen drawing for flicker-free repaints: painter() draws into a buffer
// of the target rectangle, pre-filled with the background colour and using
// the target's coordinates; the destructor copies the buffer to the target
// once. Lives on the stack of one paintEvent, in the GUI thread.
class OffscreenBuffer {
 public:
  OffscreenBuffer(QPainter& target, const QRect& rect, const QColor& background);
  ~OffscreenBuffer();
  OffscreenBuffer(const OffscreenBuffer&) = delete;
  OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

  QPainter& painter();

 private:
  QPainter& target_;
  QRect rect_;
  QPixmap buffer_;
  QPainter painter_;
};

}  // namespace varnell

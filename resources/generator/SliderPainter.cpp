#include "resources/generator/SliderPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "resources/generator/ScaledImage.h"
#include "resources/generator/WindowLayout.h"

namespace varnell::skin {

namespace {

// The thumb's centre line: both sliders place the thumb's top at the top margin.
constexpr qreal kTrackCentre = layout::kThumbTopMargin + layout::kThumbSize.height() / 2.0;

QColor mix(const QColor& a, const QColor& b, qreal t) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                          a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t);
}

void paintGrooveShape(QPainter& painter, const QPainterPath& groove, bool lit) {
  const QRectF bounds = groove.boundingRect();
  QLinearGradient fill(bounds.topLeft(), bounds.bottomLeft());
  if (lit) {
    fill.setColorAt(0, QColor(0x6c, 0xdc, 0xe8));
    fill.setColorAt(1, QColor(0x1c, 0x86, 0x96));
  } else {
    fill.setColorAt(0, QColor(0x03, 0x08, 0x0b));
    fill.setColorAt(1, QColor(0x10, 0x20, 0x27));
  }
  painter.setPen(QPen(lit ? QColor(0x0c, 0x4a, 0x55) : QColor(0x00, 0x00, 0x00, 200), 1.0));
  painter.setBrush(fill);
  painter.drawPath(groove);
  // A light lower lip makes the groove read as cut into the surface.
  painter.setPen(QPen(QColor(0x6a, 0x9c, 0xaa, 90), 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawLine(QPointF(bounds.left() + 3, bounds.bottom() + 1),
                   QPointF(bounds.right() - 3, bounds.bottom() + 1));
}

}  // namespace

SliderPainter::SliderPainter(QImage backdrop) : backdrop_(std::move(backdrop)) {}

QImage SliderPainter::backdropAt(const QRect& rect) const {
  return CopyScaled(backdrop_, rect).convertToFormat(QImage::Format_RGB32);
}

QImage SliderPainter::positionChannel(bool selectedRange) const {
  return paintPositionGroove(backdropAt(layout::kPositionSlider), selectedRange);
}

QImage SliderPainter::clipPositionChannel(const QImage& clipBackground, const QRect& slider,
                                          bool selectedRange) {
  return paintPositionGroove(
      CopyScaled(clipBackground, slider).convertToFormat(QImage::Format_RGB32), selectedRange);
}

QImage SliderPainter::paintPositionGroove(QImage image, bool selectedRange) {
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal width = image.deviceIndependentSize().width();
  QPainterPath groove;
  groove.addRoundedRect(QRectF(2.5, kTrackCentre - 3, width - 5, 6), 3, 3);
  paintGrooveShape(painter, groove, selectedRange);

  // Quarter marks help to aim a seek.
  painter.setPen(QPen(QColor(0x86, 0xa9, 0xb4, 110), 1.0));
  for (int quarter = 1; quarter < 4; ++quarter) {
    const qreal x = std::round(2 + (width - 4) * quarter / 4.0) + 0.5;
    painter.drawLine(QPointF(x, kTrackCentre + 6), QPointF(x, kTrackCentre + 8));
  }
  painter.end();
  return image;
}

QImage SliderPainter::volumeChannel(bool filled) const {
  QImage image = backdropAt(layout::kVolumeSlider);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal right = image.deviceIndependentSize().width() - 3.5;
  const qreal bottom = kTrackCentre + 3.5;
  QPainterPath wedge;
  wedge.moveTo(3.5, bottom);
  wedge.lineTo(right, bottom);
  wedge.lineTo(right, bottom - 10);
  wedge.closeSubpath();
  if (filled) {
    QLinearGradient ramp(QPointF(3.5, 0), QPointF(right, 0));
    ramp.setColorAt(0, QColor(0x1c, 0x86, 0x96));
    ramp.setColorAt(1, QColor(0x7a, 0xe3, 0xee));
    painter.setPen(QPen(QColor(0x0c, 0x4a, 0x55), 1.0));
    painter.setBrush(ramp);
  } else {
    painter.setPen(QPen(QColor(0, 0, 0, 200), 1.0));
    painter.setBrush(QColor(0x05, 0x0d, 0x11));
  }
  painter.drawPath(wedge);
  return image;
}

QImage SliderPainter::thumb(bool active) {
  const QSize size = layout::kThumbSize;
  QImage image(size, QImage::Format_RGB32);
  image.fill(kThumbKey);
  const QColor top = active ? QColor(0x9c, 0xee, 0xf5) : QColor(0xf3, 0xf8, 0xf9);
  const QColor bottom = active ? QColor(0x1f, 0x93, 0xa4) : QColor(0xb4, 0xc7, 0xce);
  const QColor border = active ? QColor(0x07, 0x3f, 0x49) : QColor(0x0d, 0x34, 0x3e);
  const QColor grip = active ? QColor(0x08, 0x4a, 0x55) : QColor(0x4f, 0x7f, 0x8c);
  const QColor gripLight = QColor(0xfa, 0xfd, 0xfd);
  const int w = size.width();
  const int h = size.height();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool corner = (x == 0 || x == w - 1) && (y == 0 || y == h - 1);
      if (corner) continue;
      const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
      const bool innerCorner = (x == 1 || x == w - 2) && (y == 1 || y == h - 2);
      QColor colour = mix(top, bottom, qreal(y) / (h - 1));
      if (edge || innerCorner)
        colour = border;
      else if (y == 1)
        colour = mix(colour, gripLight, 0.6);
      image.setPixel(x, y, colour.rgb());
    }
  }
  for (int x : {3, 5, 7})
    for (int y = 5; y <= 10; ++y) image.setPixel(x, y, grip.rgb());
  return image;
}

}  // namespace varnell::skin

#include "resources/generator/PreviewScreenPainter.h"

#include <QLinearGradient>
#include <QPainter>

#include "resources/generator/IconPaths.h"
#include "resources/generator/SkinPalette.h"

namespace varnell::skin {

void PaintPreviewScreen(QPainter& painter, const QRectF& screen, qreal bezelBottom,
                        qreal noteSize) {
  const QRectF bezel = screen.adjusted(-3.5, -3.5, 2.5, bezelBottom);
  QLinearGradient frame(bezel.topLeft(), bezel.bottomLeft());
  frame.setColorAt(0, QColor(0x0b, 0x15, 0x1a));
  frame.setColorAt(1, QColor(0x05, 0x0a, 0x0d));
  painter.setPen(QPen(palette::kCardBorder, 1.0));
  painter.setBrush(frame);
  painter.drawRoundedRect(bezel, 5, 5);
  painter.fillRect(screen, palette::kScreen);

  QLinearGradient glare(screen.topLeft(), screen.bottomLeft());
  glare.setColorAt(0, QColor(0x6f, 0xa9, 0xb8, 22));
  glare.setColorAt(0.45, QColor(0x6f, 0xa9, 0xb8, 4));
  glare.setColorAt(1, QColor(0x6f, 0xa9, 0xb8, 0));
  painter.fillRect(screen, glare);
  const qreal half = noteSize / 2;
  const QRectF noteBox(screen.center().x() - half, screen.center().y() - half, noteSize, noteSize);
  painter.fillPath(IconPaths::fitted(IconPaths::note(), noteBox), QColor(0x16, 0x27, 0x2e));
}

}  // namespace varnell::skin

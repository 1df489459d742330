#include "resources/generator/FaceContentKit.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

#include "resources/generator/IconPaths.h"

namespace varnell::skin {

QFont FaceContentKit::font(int pixelSize, bool bold) { return CaptionFont(pixelSize, bold); }

void FaceContentKit::glyph(QPainter& painter, const QPainterPath& icon,
                           const FaceColours& colours) {
  if (colours.labelShadow.isValid()) painter.fillPath(icon.translated(0, 1.2), colours.labelShadow);
  painter.fillPath(icon, colours.glyph);
}

void FaceContentKit::badge(QPainter& painter, QPointF centre, qreal radius,
                           const FaceColours& colours) {
  QColor fill = colours.glyph;
  fill.setAlpha(38);
  QColor ring = colours.glyph;
  ring.setAlpha(70);
  painter.setPen(QPen(ring, 1.2));
  painter.setBrush(fill);
  painter.drawEllipse(centre, radius, radius);
  painter.setBrush(Qt::NoBrush);
}

CaptionStyle FaceContentKit::faceLabel(const QRectF& box, int pixelSize) {
  return {box, pixelSize, true, Qt::AlignCenter, 1.2};
}

FaceContentKit::PillLayout FaceContentKit::pill(const QRectF& pill, qreal iconSize,
                                                const QString& englishText, int pixelSize) {
  const qreal gap = std::round(iconSize * 0.35);
  const qreal roundEnd = pill.height() * 0.25;
  const QRectF room(pill.left() + roundEnd + iconSize + gap, pill.top() - 0.5,
                    pill.width() - 2 * roundEnd - iconSize - gap, pill.height());
  const CaptionStyle roomStyle{room, pixelSize, true, Qt::AlignLeft | Qt::AlignVCenter, 1.2};
  const FittedCaption english = FitCaption(roomStyle, englishText);
  const qreal textWidth = QFontMetricsF(english.font).horizontalAdvance(english.shown);
  const qreal left = std::round(pill.center().x() - (iconSize + gap + textWidth) / 2);
  const QRectF icon(left, pill.center().y() - iconSize / 2, iconSize, iconSize);
  const qreal textLeft = icon.right() + gap;
  CaptionStyle caption = roomStyle;
  caption.box = QRectF(textLeft, room.top(), pill.right() - roundEnd - textLeft, room.height());
  return {icon, caption};
}

QRectF FaceContentKit::tileIcon(const QRectF& tile) {
  const qreal iconSize = 24;
  return QRectF(tile.center().x() - iconSize / 2, tile.top() + 6, iconSize, iconSize);
}

CaptionStyle FaceContentKit::tileCaption(const QRectF& tile) {
  return faceLabel(QRectF(tile.left(), tile.bottom() - 18, tile.width(), 14), 10);
}

}  // namespace varnell::skin

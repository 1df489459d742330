#include "resources/generator/FaceContentKit.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

#include "resources/generator/IconPaths.h"

namespace varnell::skin {

QFont FaceContentKit::font(int pixelSize, bool bold) {
  QFont face(QStringLiteral("DejaVu Sans"));
  face.setPixelSize(pixelSize);
  face.setBold(bold);
  face.setHintingPreference(QFont::PreferFullHinting);
  return face;
}

void FaceContentKit::glyph(QPainter& painter, const QPainterPath& icon,
                           const FaceColours& colours) {
  if (colours.labelShadow.isValid()) painter.fillPath(icon.translated(0, 1.2), colours.labelShadow);
  painter.fillPath(icon, colours.glyph);
}

void FaceContentKit::label(QPainter& painter, const QRectF& box, const QString& text, int pixelSize,
                           const FaceColours& colours, Qt::Alignment alignment) {
  label(painter, box, text, font(pixelSize), colours, alignment);
}

void FaceContentKit::label(QPainter& painter, const QRectF& box, const QString& text,
                           const QFont& typeface, const FaceColours& colours,
                           Qt::Alignment alignment) {
  painter.setFont(typeface);
  if (colours.labelShadow.isValid()) {
    painter.setPen(colours.labelShadow);
    painter.drawText(box.translated(0, 1.2), alignment, text);
  }
  painter.setPen(colours.label);
  painter.drawText(box, alignment, text);
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

void FaceContentKit::iconAndCaption(QPainter& painter, const QRectF& pill,
                                    const QPainterPath& glyph24, qreal iconSize,
                                    const QString& text, int pixelSize,
                                    const FaceColours& colours) {
  // Icon and caption are centred together, so short and long captions sit alike. A caption
  // that would run into the pill's rounded ends keeps its size and narrows its letters
  // instead, so neighbouring pills keep one text size.
  const qreal gap = std::round(iconSize * 0.35);
  const qreal room = pill.width() - pill.height() * 0.5;
  QFont captionFont = font(pixelSize);
  qreal textWidth = QFontMetricsF(captionFont).horizontalAdvance(text);
  if (iconSize + gap + textWidth > room) {
    captionFont.setStretch(QFont::Condensed);
    textWidth = QFontMetricsF(captionFont).horizontalAdvance(text);
  }
  const qreal left = std::round(pill.center().x() - (iconSize + gap + textWidth) / 2);
  const QRectF iconBox(left, pill.center().y() - iconSize / 2, iconSize, iconSize);
  glyph(painter, IconPaths::fitted(glyph24, iconBox), colours);
  const QRectF textBox(iconBox.right() + gap, pill.top() - 0.5, textWidth + 2, pill.height());
  label(painter, textBox, text, captionFont, colours, Qt::AlignLeft | Qt::AlignVCenter);
}

void FaceContentKit::tile(QPainter& painter, const QRectF& tile, const QPainterPath& glyph24,
                          const QString& text, const FaceColours& colours) {
  const qreal iconSize = 24;
  const QRectF iconBox(tile.center().x() - iconSize / 2, tile.top() + 6, iconSize, iconSize);
  glyph(painter, IconPaths::fitted(glyph24, iconBox), colours);
  const QRectF captionBox(tile.left(), tile.bottom() - 18, tile.width(), 14);
  label(painter, captionBox, text, 10, colours);
}

}  // namespace varnell::skin

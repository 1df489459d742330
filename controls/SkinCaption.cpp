#include "controls/SkinCaption.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace varnell {

QFont CaptionFont(int pixelSize, bool bold) {
  QFont face(QStringLiteral("DejaVu Sans"));
  face.setPixelSize(pixelSize);
  face.setBold(bold);
  face.setHintingPreference(QFont::PreferFullHinting);
  return face;
}

FittedCaption FitCaption(const CaptionStyle& style, const QString& text) {
  const qreal room = style.box.width();
  FittedCaption fitted{CaptionFont(style.pixelSize, style.bold), text, false};
  const auto fits = [&] { return QFontMetricsF(fitted.font).horizontalAdvance(text) <= room; };
  if (fits()) return fitted;
  fitted.font.setStretch(QFont::Condensed);
  const int smallest = std::max(style.pixelSize * 4 / 5, 8);
  for (int size = style.pixelSize; size >= smallest; --size) {
    fitted.font.setPixelSize(size);
    if (fits()) return fitted;
  }
  fitted.shown = QFontMetricsF(fitted.font).elidedText(text, Qt::ElideRight, room);
  fitted.elided = true;
  return fitted;
}

void PaintCaption(QPainter& painter, const CaptionStyle& style, const FittedCaption& caption,
                  const CaptionInk& ink, QPointF offset) {
  const QRectF box = style.box.translated(offset);
  const auto alignment = Qt::Alignment(style.alignment);
  painter.save();
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(caption.font);
  if (qAlpha(ink.shadow) != 0) {
    painter.setPen(QColor::fromRgba(ink.shadow));
    painter.drawText(box.translated(0, style.shadowDrop), alignment, caption.shown);
  }
  painter.setPen(QColor::fromRgba(ink.text));
  painter.drawText(box, alignment, caption.shown);
  painter.restore();
}

}  // namespace varnell

#include "resources/generator/ClipDialogPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include "resources/generator/ClipDialogLayout.h"
#include "resources/generator/IconPaths.h"
#include "resources/generator/PreviewScreenPainter.h"
#include "resources/generator/ScaledImage.h"
#include "resources/generator/SkinPalette.h"

namespace varnell::skin {

namespace {

QColor withAlpha(QColor colour, int alpha) {
  colour.setAlpha(alpha);
  return colour;
}

}  // namespace

QImage ClipDialogPainter::paint(qreal scale) {
  QImage image = ScaledImage(clip_layout::kClientSize, QImage::Format_RGB32, scale);
  QPainter painter(&image);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
  paintBase(painter);
  paintScreen(painter);
  paintTransportStrip(painter);
  paintTimeCards(painter);
  return image;
}

void ClipDialogPainter::paintBase(QPainter& painter) {
  const QRectF client(QPointF(0, 0), clip_layout::kClientSize);
  QLinearGradient base(client.topLeft(), client.bottomLeft());
  base.setColorAt(0, palette::kWindowTop);
  base.setColorAt(1, palette::kWindowBottom);
  painter.fillRect(client, base);
  QRadialGradient pool(QPointF(client.width() / 2, 140), 320);
  pool.setColorAt(0, QColor(0x4a, 0x8c, 0x9c, 36));
  pool.setColorAt(1, QColor(0x4a, 0x8c, 0x9c, 0));
  painter.fillRect(client, pool);
  painter.fillRect(QRectF(0, 0, client.width(), 1), withAlpha(palette::kEdgeLight, 160));
}

void ClipDialogPainter::paintScreen(QPainter& painter) {
  PaintPreviewScreen(painter, QRectF(clip_layout::kPreviewArea), 2.5, 72);
}

void ClipDialogPainter::paintTransportStrip(QPainter& painter) {
  // Behind the position slider and the Play and Stop buttons, as under the main window's
  // preview.
  const QRectF slider(clip_layout::kPositionSlider);
  const QRectF transport(clip_layout::kTransport);
  const QRectF strip(slider.left() - 1.5, slider.top() - 2.5, slider.width() + 3,
                     transport.bottom() - slider.top() + 6);
  painter.setPen(QPen(withAlpha(palette::kCardBorder, 160), 1.0));
  painter.setBrush(withAlpha(palette::kCard, 200));
  painter.drawRoundedRect(strip, 6, 6);
}

void ClipDialogPainter::paintTimeCards(QPainter& painter) {
  // Soft cards under the group boxes keep the white time texts readable on the dark surface.
  for (const QRectF& card : {QRectF(clip_layout::kTimeGroups), QRectF(clip_layout::kButtonFrame)}) {
    QLinearGradient fill(card.topLeft(), card.bottomLeft());
    fill.setColorAt(0, withAlpha(palette::kCard.lighter(112), 150));
    fill.setColorAt(1, withAlpha(palette::kCard, 150));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(card.adjusted(-2, 2, 2, 2), 6, 6);
  }
}

}  // namespace varnell::skin

#include "resources/generator/SmallBitmapsPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "resources/VarnellResources.h"
#include "resources/generator/IconPaths.h"
#include "resources/generator/SkinPalette.h"

namespace varnell::skin {

namespace {

void paintCheckBox(QImage& strip, int originX, bool checked) {
  // The box covers pixels 2..13 each way; its corner pixels stay key-coloured, which
  // rounds it without any antialiasing against the key.
  const int first = 2;
  const int last = 13;
  const QColor border = checked ? QColor(0x0c, 0x52, 0x5e) : QColor(0x56, 0x74, 0x80);
  const QColor top = checked ? QColor(0x3a, 0xb8, 0xc7) : QColor(0xfb, 0xfd, 0xfd);
  const QColor bottom = checked ? QColor(0x16, 0x72, 0x82) : QColor(0xdc, 0xe6, 0xea);
  for (int y = first; y <= last; ++y) {
    for (int x = first; x <= last; ++x) {
      const bool corner = (x == first || x == last) && (y == first || y == last);
      if (corner) continue;
      const bool edge = x == first || x == last || y == first || y == last;
      const qreal t = qreal(y - first) / (last - first);
      const QColor fill = QColor::fromRgbF(top.redF() + (bottom.redF() - top.redF()) * t,
                                           top.greenF() + (bottom.greenF() - top.greenF()) * t,
                                           top.blueF() + (bottom.blueF() - top.blueF()) * t);
      strip.setPixel(originX + x, y, (edge ? border : fill).rgb());
    }
  }
  if (!checked) return;
  QPainter painter(&strip);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipRect(originX + first + 1, first + 1, last - first - 1, last - first - 1);
  QPainterPath tick(QPointF(originX + 4.6, 8.2));
  tick.lineTo(QPointF(originX + 7.0, 10.6));
  tick.lineTo(QPointF(originX + 11.4, 5.4));
  painter.setPen(QPen(palette::kNearWhite, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(tick);
}

}  // namespace

QImage SmallBitmapsPainter::headerCheckBoxes() {
  QImage strip(48, 16, QImage::Format_RGB32);
  strip.fill(kCheckBoxKey);
  paintCheckBox(strip, 16, false);
  paintCheckBox(strip, 32, true);
  return strip;
}

QImage SmallBitmapsPainter::applicationIcon() {
  QImage icon(kApplicationIconSide, kApplicationIconSide, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  paintApplicationIcon(painter);
  return icon;
}

void SmallBitmapsPainter::paintApplicationIcon(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing);

  const QRectF tile(14, 12, 228, 228);
  QPainterPath squircle;
  squircle.addRoundedRect(tile, 54, 54);
  painter.fillPath(squircle.translated(0, 4), QColor(0, 0, 0, 70));
  QLinearGradient body(tile.topLeft(), tile.bottomLeft());
  body.setColorAt(0, QColor(0x43, 0xc8, 0xd5));
  body.setColorAt(1, QColor(0x0f, 0x55, 0x63));
  painter.fillPath(squircle, body);
  QPainterPath upper;
  upper.addRect(QRectF(tile.left(), tile.top(), tile.width(), tile.height() * 0.5));
  QLinearGradient sheen(tile.topLeft(), QPointF(tile.left(), tile.center().y()));
  sheen.setColorAt(0, QColor(255, 255, 255, 70));
  sheen.setColorAt(1, QColor(255, 255, 255, 0));
  painter.fillPath(squircle.intersected(upper), sheen);
  painter.strokePath(squircle, QPen(QColor(0x08, 0x3c, 0x46), 4));

  // Sound in, converted file out: bold waveform bars and a warm arrow, both large
  // enough to survive being shown at 32 x 32.
  const qreal heights[] = {72, 136, 100};
  for (int i = 0; i < 3; ++i) {
    const qreal x = 44 + i * 34;
    QPainterPath bar;
    bar.addRoundedRect(QRectF(x, 126 - heights[i] / 2, 22, heights[i]), 11, 11);
    painter.fillPath(bar.translated(0, 3), QColor(0x05, 0x2e, 0x36, 110));
    painter.fillPath(bar, palette::kNearWhite);
  }
  QPainterPath arrow;
  arrow.moveTo(150, 104);
  arrow.lineTo(168, 104);
  arrow.lineTo(168, 74);
  arrow.lineTo(220, 126);
  arrow.lineTo(168, 178);
  arrow.lineTo(168, 148);
  arrow.lineTo(150, 148);
  arrow.closeSubpath();
  QLinearGradient warm(QPointF(0, 74), QPointF(0, 178));
  warm.setColorAt(0, palette::kAmber);
  warm.setColorAt(1, palette::kOrange);
  painter.setPen(QPen(QColor(0x7a, 0x2e, 0x05), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(warm);
  painter.drawPath(arrow);
}

QImage SmallBitmapsPainter::handCursor() {
  QImage cursor(32, 32, QImage::Format_ARGB32_Premultiplied);
  cursor.fill(Qt::transparent);
  QPainter painter(&cursor);
  painter.setRenderHint(QPainter::Antialiasing);

  // The fill starts 0.7 px below the hot spot row so that the outline, not the empty
  // row above, sits on it.
  const QPointF tip(kHandCursorHotSpot.x() + 0.5, kHandCursorHotSpot.y() + 0.7);
  auto box = [](qreal x, qreal y, qreal w, qreal h, qreal r) {
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
  };
  QPainterPath hand = box(tip.x() - 2.7, tip.y(), 5.4, 17, 2.7);
  hand = hand.united(box(tip.x() - 2.7, tip.y() + 10, 15.5, 15.5, 4.5));
  hand = hand.united(box(tip.x() + 2.2, tip.y() + 8.4, 4.8, 9, 2.4));
  hand = hand.united(box(tip.x() + 6.6, tip.y() + 9.4, 4.6, 8.5, 2.3));
  hand = hand.united(box(tip.x() + 10.6, tip.y() + 10.8, 4.0, 8, 2.0));
  QTransform thumbTurn;
  thumbTurn.translate(tip.x() - 3.4, tip.y() + 16.5);
  thumbTurn.rotate(40);
  hand = hand.united(thumbTurn.map(box(-5.8, -2.6, 9.5, 5.2, 2.6))).simplified();

  painter.fillPath(hand.translated(1.2, 1.2), QColor(0, 0, 0, 70));
  painter.fillPath(hand, QColor(0xfb, 0xfb, 0xfb));
  painter.strokePath(hand, QPen(Qt::black, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.0, Qt::SolidLine, Qt::RoundCap));
  for (qreal dx : {2.3, 6.7, 10.8})
    painter.drawLine(QPointF(tip.x() + dx, tip.y() + 13.0), QPointF(tip.x() + dx, tip.y() + 15.2));
  return cursor;
}

}  // namespace varnell::skin

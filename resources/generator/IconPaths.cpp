#include "resources/generator/IconPaths.h"

#include <QPainterPathStroker>
#include <QTransform>

namespace varnell::skin {

namespace {

constexpr qreal kGrid = 24.0;

QPainterPath stroked(const QPainterPath& line, qreal width, Qt::PenCapStyle cap = Qt::RoundCap) {
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  stroker.setCapStyle(cap);
  stroker.setJoinStyle(Qt::RoundJoin);
  return stroker.createStroke(line);
}

QPainterPath segment(QPointF from, QPointF to, qreal width) {
  QPainterPath line(from);
  line.lineTo(to);
  return stroked(line, width);
}

QPainterPath ring(QPointF centre, qreal radius, qreal width) {
  QPainterPath outer;
  outer.addEllipse(centre, radius + width / 2, radius + width / 2);
  QPainterPath inner;
  inner.addEllipse(centre, radius - width / 2, radius - width / 2);
  return outer.subtracted(inner);
}

QPainterPath disc(QPointF centre, qreal radius) {
  QPainterPath path;
  path.addEllipse(centre, radius, radius);
  return path;
}

QPainterPath roundedBox(const QRectF& box, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(box, radius, radius);
  return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points)));
  path.closeSubpath();
  return path;
}

// Rounds a polygon's corners by stroking its outline and uniting it with its inside.
QPainterPath softened(const QPainterPath& shape, qreal radius) {
  return shape.united(stroked(shape, radius * 2)).simplified();
}

QPainterPath unionOf(std::initializer_list<QPainterPath> parts) {
  QPainterPath result;
  result.setFillRule(Qt::WindingFill);
  for (const QPainterPath& part : parts) result = result.united(part);
  return result.simplified();
}

}  // namespace

QPainterPath IconPaths::fitted(const QPainterPath& glyph, const QRectF& target) {
  const qreal scale = std::min(target.width(), target.height()) / kGrid;
  const QPointF origin = target.center() - QPointF(kGrid, kGrid) * scale / 2;
  QTransform transform;
  transform.translate(origin.x(), origin.y());
  transform.scale(scale, scale);
  return transform.map(glyph);
}

QPainterPath IconPaths::plus() {
  return unionOf({segment({12, 4.5}, {12, 19.5}, 3.6), segment({4.5, 12}, {19.5, 12}, 3.6)});
}

QPainterPath IconPaths::scissors() {
  return unionOf({ring({7.2, 18}, 3.0, 2.0), ring({16.8, 18}, 3.0, 2.0),
                  segment({9.2, 15.4}, {16.2, 3.2}, 2.3), segment({14.8, 15.4}, {7.8, 3.2}, 2.3)})
      .subtracted(disc({12, 11.3}, 0.9));
}

QPainterPath IconPaths::questionMark() {
  QPainterPath hook({7.8, 8.6});
  hook.cubicTo({7.8, 3.4}, {16.2, 3.4}, {16.2, 8.6});
  hook.cubicTo({16.2, 11.6}, {12.0, 11.8}, {12.0, 15.0});
  return unionOf({stroked(hook, 3.0), disc({12, 19.8}, 1.9)});
}

QPainterPath IconPaths::trash() {
  QPainterPath body = softened(polygon({{6.6, 8.8}, {17.4, 8.8}, {16.4, 20.2}, {7.6, 20.2}}), 0.8);
  for (qreal x : {10.0, 14.0}) body = body.subtracted(roundedBox({x - 0.7, 11.0, 1.4, 7.0}, 0.7));
  QPainterPath lid = segment({4.8, 6.6}, {19.2, 6.6}, 2.2);
  QPainterPath handle = stroked(polygon({{9.6, 5.6}, {9.6, 3.6}, {14.4, 3.6}, {14.4, 5.6}}), 1.6);
  return unionOf({body, lid, handle});
}

QPainterPath IconPaths::broom() {
  QPainterPath handle = segment({19.5, 2.8}, {12.6, 11.4}, 2.4);
  QPainterPath collar =
      softened(polygon({{10.4, 10.2}, {14.6, 13.4}, {13.6, 14.8}, {9.4, 11.6}}), 0.6);
  QPainterPath head =
      softened(polygon({{9.0, 12.4}, {14.0, 16.2}, {11.0, 21.4}, {2.6, 17.4}}), 0.6);
  for (int i = 0; i < 3; ++i) {
    const qreal t = 0.3 + 0.2 * i;
    const QPointF top = QPointF(9.0, 12.4) * (1 - t) + QPointF(14.0, 16.2) * t;
    const QPointF bottom = QPointF(2.6, 17.4) * (1 - t) + QPointF(11.0, 21.4) * t;
    QPainterPath slit(top + (bottom - top) * 0.35);
    slit.lineTo(bottom + (top - bottom) * 0.02);
    head = head.subtracted(stroked(slit, 0.9));
  }
  return unionOf({handle, collar, head});
}

QPainterPath IconPaths::mergeArrows() {
  QPainterPath upper({3.5, 5.0});
  upper.cubicTo({9.0, 5.0}, {9.5, 12.0}, {14.5, 12.0});
  QPainterPath lower({3.5, 19.0});
  lower.cubicTo({9.0, 19.0}, {9.5, 12.0}, {14.5, 12.0});
  QPainterPath joined({12.0, 12.0});
  joined.lineTo({16.5, 12.0});
  QPainterPath head = softened(polygon({{21.8, 12.0}, {15.6, 7.4}, {15.6, 16.6}}), 0.6);
  return unionOf({stroked(upper, 2.6), stroked(lower, 2.6), stroked(joined, 2.6), head});
}

QPainterPath IconPaths::info() {
  return unionOf(
      {ring({12, 12}, 9.0, 2.2), disc({12, 7.4}, 1.7), roundedBox({10.7, 10.2, 2.6, 7.8}, 1.3)});
}

QPainterPath IconPaths::gear() {
  QPainterPath gear = disc({12, 12}, 6.8);
  for (int tooth = 0; tooth < 8; ++tooth) {
    QTransform turn;
    turn.translate(12, 12);
    turn.rotate(tooth * 45.0);
    gear = gear.united(turn.map(roundedBox({-2.1, -10.2, 4.2, 5.0}, 1.0)));
  }
  return gear.subtracted(disc({12, 12}, 3.0)).simplified();
}

QPainterPath IconPaths::folder() {
  QPainterPath back =
      unionOf({roundedBox({2.5, 4.5, 8.5, 5.0}, 1.5), roundedBox({2.5, 6.5, 19.0, 13.5}, 2.0)});
  return back.subtracted(roundedBox({2.5, 9.0, 19.0, 1.3}, 0.3)).simplified();
}

// A folder with a plus cut out of its body: Add Folder, beside the plain plus of Add.
QPainterPath IconPaths::folderPlus() {
  const QPointF centre(12.0, 14.6);
  const QPainterPath cross =
      unionOf({segment(centre - QPointF(0, 3.3), centre + QPointF(0, 3.3), 2.3),
               segment(centre - QPointF(3.3, 0), centre + QPointF(3.3, 0), 2.3)});
  return folder().subtracted(cross).simplified();
}

QPainterPath IconPaths::folderSearch() {
  const QPointF lens(15.0, 14.0);
  QPainterPath folderPart =
      unionOf({roundedBox({1.5, 4.0, 7.5, 4.5}, 1.3), roundedBox({1.5, 6.0, 16.0, 11.5}, 1.8)})
          .subtracted(disc(lens, 6.4));
  QPainterPath magnifier =
      unionOf({ring(lens, 3.6, 2.2), segment(lens + QPointF(2.9, 2.9), {21.5, 20.5}, 2.8)});
  return unionOf({folderPart, magnifier});
}

QPainterPath IconPaths::convertCycle() {
  const QRectF orbit(4.0, 4.0, 16.0, 16.0);
  QPainterPath upper;
  upper.arcMoveTo(orbit, 160);
  upper.arcTo(orbit, 160, -130);
  QPainterPath lower;
  lower.arcMoveTo(orbit, 340);
  lower.arcTo(orbit, 340, -130);
  QPainterPath headRight = softened(polygon({{21.6, 8.2}, {15.4, 8.8}, {19.8, 13.6}}), 0.5);
  QPainterPath headLeft = softened(polygon({{2.4, 15.8}, {8.6, 15.2}, {4.2, 10.4}}), 0.5);
  return unionOf({stroked(upper, 2.6), stroked(lower, 2.6), headRight, headLeft});
}

QPainterPath IconPaths::play() {
  return softened(polygon({{8.0, 5.2}, {19.2, 12.0}, {8.0, 18.8}}), 1.2);
}

QPainterPath IconPaths::pause() {
  return unionOf({roundedBox({6.6, 5.0, 3.9, 14.0}, 1.2), roundedBox({13.5, 5.0, 3.9, 14.0}, 1.2)});
}

QPainterPath IconPaths::stop() { return roundedBox({6.5, 6.5, 11.0, 11.0}, 2.0); }

QPainterPath IconPaths::speaker() {
  QPainterPath body = softened(
      polygon({{3.5, 9.2}, {7.6, 9.2}, {12.6, 4.8}, {12.6, 19.2}, {7.6, 14.8}, {3.5, 14.8}}), 0.7);
  QPainterPath waves;
  for (qreal radius : {4.0, 7.6}) {
    const QRectF orbit(12.6 - radius, 12.0 - radius, radius * 2, radius * 2);
    QPainterPath arc;
    arc.arcMoveTo(orbit, 48);
    arc.arcTo(orbit, 48, -96);
    waves = waves.united(stroked(arc, 1.9));
  }
  return unionOf({body, waves});
}

QPainterPath IconPaths::minus() { return segment({6.0, 12.0}, {18.0, 12.0}, 2.8); }

QPainterPath IconPaths::cross() {
  return unionOf({segment({6.5, 6.5}, {17.5, 17.5}, 2.6), segment({17.5, 6.5}, {6.5, 17.5}, 2.6)});
}

QPainterPath IconPaths::dropTray() {
  QPainterPath tray({3.0, 13.5});
  tray.lineTo({3.0, 20.0});
  tray.lineTo({21.0, 20.0});
  tray.lineTo({21.0, 13.5});
  QPainterPath shaft = segment({12.0, 2.5}, {12.0, 11.0}, 2.4);
  QPainterPath head = softened(polygon({{12.0, 16.0}, {7.0, 10.2}, {17.0, 10.2}}), 0.6);
  return unionOf({stroked(tray, 2.2), shaft, head});
}

QPainterPath IconPaths::waveBars() {
  QPainterPath bars;
  const qreal heights[] = {7.0, 15.0, 19.0, 11.0};
  for (int i = 0; i < 4; ++i) {
    const qreal x = 3.6 + i * 4.8;
    bars = bars.united(roundedBox({x, 12.0 - heights[i] / 2, 3.2, heights[i]}, 1.6));
  }
  return bars.simplified();
}

QPainterPath IconPaths::note() {
  QTransform tilt;
  tilt.translate(8.0, 18.0);
  tilt.rotate(-20);
  QPainterPath head;
  head.addEllipse(QPointF(0, 0), 3.6, 2.6);
  QPainterPath flag({15.0, 4.0});
  flag.cubicTo({16.5, 7.5}, {20.5, 8.0}, {19.5, 12.5});
  return unionOf({tilt.map(head), segment({10.8, 17.0}, {11.2, 3.5}, 1.8), stroked(flag, 1.8),
                  segment({11.2, 3.5}, {15.0, 4.0}, 1.8)});
}

}  // namespace varnell::skin

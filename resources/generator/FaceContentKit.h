#pragma once

#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include "resources/generator/FaceStyle.h"

class QPainter;

namespace varnell::skin {

// The few ways a face carries its glyph and caption, shared so that every button in the
// window sets them alike.
class FaceContentKit {
 public:
  static void glyph(QPainter& painter, const QPainterPath& icon, const FaceColours& colours);
  static void label(QPainter& painter, const QRectF& box, const QString& text, int pixelSize,
                    const FaceColours& colours, Qt::Alignment alignment = Qt::AlignCenter);
  static void label(QPainter& painter, const QRectF& box, const QString& text,
                    const QFont& typeface, const FaceColours& colours, Qt::Alignment alignment);
  // A soft disc behind a header button's glyph.
  static void badge(QPainter& painter, QPointF centre, qreal radius, const FaceColours& colours);
  // Icon on the left of a pill, caption centred in the rest.
  static void iconAndCaption(QPainter& painter, const QRectF& pill, const QPainterPath& glyph24,
                             qreal iconSize, const QString& text, int pixelSize,
                             const FaceColours& colours);
  // Icon above, small caption below: the tiles under the task list.
  static void tile(QPainter& painter, const QRectF& tile, const QPainterPath& glyph24,
                   const QString& text, const FaceColours& colours);

  static QFont font(int pixelSize, bool bold = true);
};

}  // namespace varnell::skin

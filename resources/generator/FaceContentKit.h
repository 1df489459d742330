#pragma once

#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include "controls/SkinCaption.h"
#include "resources/generator/FaceStyle.h"

class QPainter;

namespace varnell::skin {

// The few ways a face carries its glyph and leaves room for its caption, shared so that every
// button in the window sets them alike. Captions are drawn by the window, in its language.
class FaceContentKit {
 public:
  static void glyph(QPainter& painter, const QPainterPath& icon, const FaceColours& colours);
  // A soft disc behind a header button's glyph.
  static void badge(QPainter& painter, QPointF centre, qreal radius, const FaceColours& colours);

  // Icon on the left of a pill, caption in the rest. The icon sits where it centres together
  // with the English caption; a longer translation takes the room up to the pill's round end.
  struct PillLayout {
    QRectF icon;
    CaptionStyle caption;
  };
  static PillLayout pill(const QRectF& pill, qreal iconSize, const QString& englishText,
                         int pixelSize);

  // Icon above, small caption below: the tiles under the task list.
  static QRectF tileIcon(const QRectF& tile);
  static CaptionStyle tileCaption(const QRectF& tile);

  // A caption as face labels have it: bold, centred, with the shadow 1.2 px down.
  static CaptionStyle faceLabel(const QRectF& box, int pixelSize);

  static QFont font(int pixelSize, bool bold = true);
};

}  // namespace varnell::skin

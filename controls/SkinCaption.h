// A text the skin leaves room for instead of drawing it into its pictures, so that it can be
// shown in the user's language: where it sits on its picture, its type and its ink. The skin
// generator writes these (app/SkinCaptions.h); the window draws the translated text over the
// picture. Depends on Qt's GUI layer alone, so the generator draws its mocks with it too.
#pragma once

#include <QFont>
#include <QRectF>
#include <QRgb>
#include <QString>

class QPainter;

namespace varnell {

// One colour of a caption and of the shadow under it; a shadow with alpha 0 is none.
struct CaptionInk {
  QRgb text;
  QRgb shadow;
};

struct CaptionStyle {
  QRectF box;  // in the picture's logical pixels
  int pixelSize;
  bool bold;
  int alignment;  // Qt::Alignment flags
  qreal shadowDrop;
};

// A button's caption, with its ink on each look of the button's faces.
struct ButtonCaption {
  CaptionStyle style;
  CaptionInk normal;
  CaptionInk hover;
  CaptionInk disabled;
};

// How a text fits its box: the type as drawn, and the text itself, elided when even the
// narrower, smaller type leaves it too wide.
struct FittedCaption {
  QFont font;
  QString shown;
  bool elided = false;
};

// Narrower letters first, then a smaller size down to four fifths, then an ellipsis, so that a
// long translation keeps the caption's place rather than running off the button.
FittedCaption FitCaption(const CaptionStyle& style, const QString& text);

void PaintCaption(QPainter& painter, const CaptionStyle& style, const FittedCaption& caption,
                  const CaptionInk& ink, QPointF offset = {});

// The type of every caption: the skin's face at a pixel size.
QFont CaptionFont(int pixelSize, bool bold);

}  // namespace varnell

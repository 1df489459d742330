#pragma once

#include <QPainterPath>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

#include "controls/SkinCaption.h"
#include "resources/generator/FaceStyle.h"

class QPainter;

namespace varnell::skin {

// Draws what sits on a face (glyph, label) in face-local pixels.
using FaceContent = std::function<void(QPainter&, const FaceColours&)>;

// The button's outline, shrunk by `inset` pixels; inset 0 is the window shape.
using Silhouette = std::function<QPainterPath(qreal inset)>;

struct FaceBitmap {
  int number;
  FaceLook look;
  FaceContent content;
};

// The bitmap numbers the window loads for one button; 0 where it loads none.
struct LookNumbers {
  int shape;
  int hover;
  int normal;
  int disabled;
};

// The words on a button: not drawn into its faces but left room for, so the window can show them
// translated (see CaptionTableWriter).
struct CaptionDesign {
  QString text;
  CaptionStyle style;
};

struct ButtonDesign {
  int controlId;
  QString name;
  QRect rect;  // in window pixels; every face of the button has this size
  FaceFamily family;
  Silhouette silhouette;
  LookNumbers looks;
  std::vector<FaceBitmap> faces;
  bool hasBody = true;             // false: the glyph alone is the silhouette
  bool rectangularWindow = false;  // no shape bitmap: the background stays around the body
  std::optional<CaptionDesign> caption = std::nullopt;
};

}  // namespace varnell::skin

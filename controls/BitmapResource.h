#pragma once

#include <QImage>

namespace varnell {

// The bitmap resource with this number: ":/bitmaps/<id>.png", compiled in by
// the resources library. A null image when there is no such resource, so
// callers can report a failed load as the dialogs expect. Always the ordinary
// drawing, one pixel per window pixel: window shapes, keyed colours and hot
// spots are read from it.
QImage LoadBitmapResource(int id);

// The same picture to be drawn on a screen of this device pixel ratio: above
// 1, the drawing at twice the pixels (":/bitmaps/<id>@2x.png", device pixel
// ratio 2) where the skin has one, else the ordinary one. Either way its
// deviceIndependentSize() is the ordinary picture's size, so what is laid out
// by it stays where it is.
QImage LoadBitmapResource(int id, qreal devicePixelRatio);

}  // namespace varnell

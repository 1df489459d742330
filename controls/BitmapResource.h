#pragma once

#include <QImage>

namespace varnell {

// The bitmap resource with this number: ":/bitmaps/<id>.png", compiled in by
// the resources library. A null image when there is no such resource, so
// callers can report a failed load as the dialogs expect.
QImage LoadBitmapResource(int id);

}  // namespace varnell

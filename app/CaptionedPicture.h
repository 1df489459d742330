// The skin's pictures that leave room for words (the main window's background, the about box's
// banner), loaded at a device pixel ratio with those words drawn in the user's language.
// User-interface thread only.
#pragma once

#include <QPixmap>

namespace varnell {

QPixmap LoadCaptionedPicture(int bitmapId, qreal devicePixelRatio);

}  // namespace varnell

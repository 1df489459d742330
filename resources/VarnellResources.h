#pragma once

#include <QPoint>

namespace varnell {

// Registers the compiled-in bitmaps (":/bitmaps/<number>.png"). The resources live in a
// static library, whose registration object the linker drops unless something calls this;
// call it once in main() before the first QPixmap(":/bitmaps/...") is loaded.
void InitVarnellResources();

// The pointing fingertip of the hand cursor, bitmap 262 (32 x 32): pass it to
// QCursor(pixmap, kHandCursorHotSpot.x(), kHandCursorHotSpot.y()). The skin generator
// draws the finger from this point, so the two cannot drift apart.
inline constexpr QPoint kHandCursorHotSpot{11, 1};

}  // namespace varnell

#pragma once

#include <QRectF>

class QPainter;

namespace varnell::skin {

// The dark preview screen of the main window and the clip dialog: a rounded bezel, the screen
// with a soft glare, and a faint note in its middle. bezelBottom is how far the bezel reaches
// below the screen; noteSize the side of the note's square.
void PaintPreviewScreen(QPainter& painter, const QRectF& screen, qreal bezelBottom, qreal noteSize);

}  // namespace varnell::skin

#pragma once

#include <QRect>
#include <QSize>

namespace varnell {

// The font a dialog template was laid out with; it fixes the size of one
// dialog unit: base (7, 14) pixels for 9 pt templates, (6, 13) for 8 pt ones.
enum class TemplateFont { Shell9pt, Shell8pt };

// Dialog units -> pixels as the templates are laid out: units x base / 4
// horizontally, units x base / 8 vertically, halves rounded away from zero.
// Each of the four numbers is converted on its own, so a width is not the
// difference of two converted edges. The main window, 503 x 307 units at 9 pt,
// is 880 x 537 pixels; its Add button (7, 13, 78, 34) is (12, 23, 137, 60).
QRect DialogUnitsToPixels(int x, int y, int width, int height, TemplateFont font);
QSize DialogUnitsToPixels(QSize units, TemplateFont font);

}  // namespace varnell

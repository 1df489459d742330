#pragma once

#include <QColor>

namespace varnell::skin {

enum class FaceLook { Normal, Hover, Disabled };

// Which kind of command a button is; each family has its own colours for every look, and
// the families together make the hierarchy of the window: Convert stands out, the list
// commands are light tiles, the window controls stay quiet.
enum class FaceFamily { Primary, Secondary, Accent, Chrome, ChromeClose, BareGlyph };

struct FaceColours {
  QColor bodyTop;
  QColor bodyBottom;
  QColor rim;
  QColor glyph;
  QColor label;
  QColor glow;         // invalid: no inner glow ring
  QColor labelShadow;  // invalid: no shadow under glyphs and labels
  int sheenAlpha = 0;  // strength of the light falling on the top half
};

class FaceStyle {
 public:
  static FaceColours colours(FaceFamily family, FaceLook look);
};

}  // namespace varnell::skin

#pragma once

#include <QRect>
#include <QSize>

// Where the clip dialog (template 318, 286 x 273 units at 8 pt) puts the things its artwork
// has to line up with, in dialog pixels: units x 6 / 4 across, units x 13 / 8 down.
namespace varnell::skin::clip_layout {

inline constexpr QSize kClientSize{429, 444};
inline constexpr QRect kPreviewArea{5, 15, 417, 242};
inline constexpr QRect kPositionSlider{5, 263, 417, 21};
inline constexpr QRect kTransport{9, 291, 124, 36};
inline constexpr QRect kTimeGroups{9, 330, 411, 41};
inline constexpr QRect kButtonFrame{9, 375, 272, 60};

}  // namespace varnell::skin::clip_layout

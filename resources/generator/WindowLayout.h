#pragma once

#include <QRect>
#include <QSize>

// Where the main window puts the things the artwork has to line up with, in window pixels
// (client area 880 x 537). The background is drawn at its own 880 x 540 and stretched by
// the window, so everything that must meet a control exactly is sampled from the stretched
// picture (see SkinGenerator.cpp).
namespace varnell::skin::layout {

inline constexpr QSize kBackgroundSize{880, 540};
inline constexpr QSize kClientSize{880, 537};

inline constexpr int kHeaderHeight = 92;
inline constexpr QRect kTaskListArea{12, 98, 529, 273};
inline constexpr QRect kPreviewScreen{555, 121, 320, 229};
inline constexpr QRect kPositionSlider{557, 357, 315, 21};
inline constexpr QRect kVolumeSlider{782, 385, 81, 19};
inline constexpr QRect kProfileCombo{82, 450, 343, 22};
inline constexpr QRect kOutputCombo{81, 485, 345, 22};
inline constexpr QRect kFormatCard{16, 440, 420, 76};

// Both sliders draw their thumb with its top 3 pixels below the control's top.
inline constexpr int kThumbTopMargin = 3;
inline constexpr QSize kThumbSize{11, 16};

}  // namespace varnell::skin::layout

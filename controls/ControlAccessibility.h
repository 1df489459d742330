// Screen-reader access to the skinned controls: Qt describes its own widgets, and this factory
// describes ours (SkinButton, BitmapSlider, SkinLabel, HyperLink), which Qt would otherwise take
// for a plain button, an unnamed widget and two static texts, and the drop-down lists, which Qt
// names by their current choice. The application installs it once,
// before its first window; installing it again changes nothing. User-interface thread only.
#pragma once

namespace varnell {

void InstallControlAccessibility();

}  // namespace varnell

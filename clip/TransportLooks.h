// The bitmaps of the Play and Stop buttons, shared by the main window's preview and the clip
// dialog so that both show the same player the same way.
#pragma once

namespace varnell::transport_looks {

inline constexpr int kPlay = 302;
inline constexpr int kPause = 310;
inline constexpr int kPlayDisabled = 301;
inline constexpr int kStop = 304;
inline constexpr int kStopDisabled = 303;

}  // namespace varnell::transport_looks

// Whether an event tells a widget that its window may now show it at another device pixel ratio:
// the window moved to another screen or, from Qt 6.6 on, its screen's ratio changed. Pictures
// loaded for the old ratio are loaded again for the new one.
#pragma once

#include <QEvent>
#include <QtGlobal>

namespace varnell {

inline bool MayChangePixelRatio(const QEvent& event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
  if (event.type() == QEvent::DevicePixelRatioChange) return true;
#endif
  return event.type() == QEvent::ScreenChangeInternal;
}

}  // namespace varnell

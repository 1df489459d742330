// The clip dialog's time labels: whole seconds as "HH:MM:SS".
#pragma once

#include <QString>
#include <cstdint>

#include "engine/ClipTime.h"

namespace varnell {

inline QString ClipTimeText(std::int64_t seconds) {
  return QString::fromStdString(FormatClipTime(seconds));
}

}  // namespace varnell

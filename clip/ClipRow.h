// What the clip dialog needs of one task row, so that it does not depend on the task list.
#pragma once

#include <QString>

namespace varnell {

struct ClipRow {
  QString sourcePath;       // column 0
  QString startTime;        // column 1, clip-time text
  QString endTime;          // column 2, clip-time text
  QString durationSeconds;  // column 5, decimal seconds
};

}  // namespace varnell

#include "platform/testing/RecordingShell.h"

namespace varnell {

bool RecordingShell::Open(const QString& pathOrUrl) {
  opened.push_back(pathOrUrl);
  return result;
}

}  // namespace varnell

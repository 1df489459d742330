#pragma once

#include <vector>

#include "platform/Shell.h"

namespace varnell {

// Test double: records every request, opens nothing, answers `result`.
class RecordingShell : public Shell {
 public:
  bool Open(const QString& pathOrUrl) override;

  std::vector<QString> opened;
  bool result = true;
};

}  // namespace varnell

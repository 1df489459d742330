#pragma once

#include "platform/PowerOff.h"

namespace varnell {

// Test double: counts requests, never powers anything off, answers `result`.
class RecordingPowerOff : public PowerOff {
 public:
  bool PowerOffComputer() override;

  int requests = 0;
  bool result = true;
};

}  // namespace varnell

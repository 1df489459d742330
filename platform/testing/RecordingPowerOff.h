#pragma once

#include "platform/PowerOff.h"

namespace varnell {

// Test double: counts requests, never powers anything off, answers `refusal` (none: requested).
class RecordingPowerOff : public PowerOff {
 public:
  std::optional<QString> PowerOffComputer() override;

  int requests = 0;
  std::optional<QString> refusal;
};

}  // namespace varnell

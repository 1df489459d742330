#include "platform/testing/RecordingPowerOff.h"

namespace varnell {

std::optional<QString> RecordingPowerOff::PowerOffComputer() {
  ++requests;
  return refusal;
}

}  // namespace varnell

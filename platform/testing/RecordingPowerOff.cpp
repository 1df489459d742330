#include "platform/testing/RecordingPowerOff.h"

namespace varnell {

bool RecordingPowerOff::PowerOffComputer() {
  ++requests;
  return result;
}

}  // namespace varnell

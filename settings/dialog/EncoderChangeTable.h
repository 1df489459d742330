#pragma once

#include <string_view>

#include "settings/dialog/FixedChoiceList.h"

namespace varnell {

// The three audio lists that follow the selected encoder.
struct EncoderDependentLists {
  FixedChoiceList audioBitRate;
  FixedChoiceList sampleRate;
  FixedChoiceList channel;
};

// The encoder is compared exactly and case-sensitively; names outside the
// table ("MP3", "WMA7", "WMA8" among them) share one row.
EncoderDependentLists ListsForEncoder(std::string_view encoder);

}  // namespace varnell

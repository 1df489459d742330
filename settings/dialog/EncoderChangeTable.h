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

// The encoder is compared exactly and case-sensitively. Each of the engine's encoders gets its
// own lists (AudioEncoderChoices): MP3's bit rates end in its VBR qualities, the lossless ones
// have no bit rate (FLAC's list holds its compression levels); other names share the WMA lists.
EncoderDependentLists ListsForEncoder(std::string_view encoder);

}  // namespace varnell

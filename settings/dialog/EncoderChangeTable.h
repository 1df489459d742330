#pragma once

#include <string_view>

#include "settings/dialog/FixedChoiceList.h"

namespace varnell {

// The sample rate and channel lists that follow the selected encoder.
struct EncoderDependentLists {
  FixedChoiceList sampleRate;
  FixedChoiceList channel;
};

// The encoder is compared exactly and case-sensitively. Each of the engine's encoders gets its
// own lists (AudioEncoderChoices); other names share the WMA lists.
EncoderDependentLists ListsForEncoder(std::string_view encoder);

// The bit rate list of the encoder at the selected sample rate (its text, "22050 Hz"): only the
// rates the encoder writes there (MP3 at 22050 Hz stops at 160 kbps), then MP3's VBR qualities;
// the lossless encoders have none (FLAC's list holds its compression levels).
FixedChoiceList BitRatesForEncoder(std::string_view encoder, std::string_view sampleRate);

}  // namespace varnell

#include "settings/dialog/EncoderChangeTable.h"

#include "settings/AudioEncoderChoices.h"

namespace varnell {

namespace {

constexpr std::string_view kNarrowband = "AMR_NB";

FixedChoiceList Fixed(const PresetParameter& parameter) {
  return {parameter.choices, parameter.defaultChoice};
}

// A name the engine has no encoder for gets the lists the WMA encoders share, the dialog's
// first ones.
const AudioEncoderChoices& ChoicesFor(std::string_view encoder) {
  const AudioEncoderChoices* choices = FindAudioEncoderChoices(encoder);
  return choices != nullptr ? *choices : *FindAudioEncoderChoices("WMA8");
}

}  // namespace

EncoderDependentLists ListsForEncoder(std::string_view encoder) {
  if (encoder == kNarrowband)
    return {{{"8000 Hz"}, "8000 Hz"}, {{"1 Channel Mono"}, "1 Channel Mono"}};
  const AudioEncoderChoices& choices = ChoicesFor(encoder);
  return {Fixed(choices.sampleRates), Fixed(choices.channels)};
}

FixedChoiceList BitRatesForEncoder(std::string_view encoder, std::string_view sampleRate) {
  if (encoder == kNarrowband) {
    return {{"4.75 kbps", "5.15 kbps", "5.9 kbps", "6.7 kbps", "7.4 kbps", "7.95 kbps", "10.2 kbps",
             "12.2 kbps"},
            "6.7 kbps"};
  }
  return Fixed(ChoicesFor(encoder).bitRatesAt(sampleRate));
}

}  // namespace varnell

#include "settings/dialog/EncoderChangeTable.h"

#include "settings/AudioEncoderChoices.h"

namespace varnell {

namespace {

FixedChoiceList Fixed(const PresetParameter& parameter) {
  return {parameter.choices, parameter.defaultChoice};
}

}  // namespace

EncoderDependentLists ListsForEncoder(std::string_view encoder) {
  if (encoder == "AMR_NB") {
    return {{{"4.75 kbps", "5.15 kbps", "5.9 kbps", "6.7 kbps", "7.4 kbps", "7.95 kbps",
              "10.2 kbps", "12.2 kbps"},
             "6.7 kbps"},
            {{"8000 Hz"}, "8000 Hz"},
            {{"1 Channel Mono"}, "1 Channel Mono"}};
  }
  // A name the engine has no encoder for gets the lists the WMA encoders share, the dialog's
  // first ones.
  const AudioEncoderChoices* choices = FindAudioEncoderChoices(encoder);
  if (choices == nullptr) choices = FindAudioEncoderChoices("WMA8");
  return {Fixed(choices->bitRates), Fixed(choices->sampleRates), Fixed(choices->channels)};
}

}  // namespace varnell

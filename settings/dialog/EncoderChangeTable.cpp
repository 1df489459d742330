#include "settings/dialog/EncoderChangeTable.h"

namespace varnell {

namespace {

FixedChoiceList CommonBitRates() {
  return {{"64 kbps", "96 kbps", "128 kbps", "160 kbps", "192 kbps", "256 kbps", "320 kbps"},
          "192 kbps"};
}

FixedChoiceList CommonSampleRates() {
  return {{"44100 Hz", "48000 Hz", "22050 Hz", "32000 Hz"}, "44100 Hz"};
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
  if (encoder == "AC3") {
    return {CommonBitRates(),
            CommonSampleRates(),
            {{"1 Channel Mono", "2 Channel Stereo", "5.1 Channel"}, "2 Channel Stereo"}};
  }
  if (encoder == "VORBIS") {
    return {CommonBitRates(), CommonSampleRates(), {{"2 Channel Stereo"}, "2 Channel Stereo"}};
  }
  return {CommonBitRates(),
          CommonSampleRates(),
          {{"1 Channel Mono", "2 Channel Stereo"}, "2 Channel Stereo"}};
}

}  // namespace varnell

#include "settings/AudioEncoderChoices.h"

#include <limits>
#include <string>
#include <vector>

#include "settings/ChoiceParsers.h"

namespace varnell {
namespace {

using Texts = std::vector<std::string>;

// Bit rates the engine passes on without a check of its own: the encoder takes what it is given.
constexpr NumberRange kAnyBitRate{1, std::numeric_limits<int>::max()};
constexpr NumberRange kNone{};

Texts Suffixed(std::initializer_list<int> numbers, const char* unit) {
  Texts texts;
  for (int number : numbers) texts.push_back(std::to_string(number) + unit);
  return texts;
}

Texts Joined(Texts first, const Texts& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// "VBR V0 (best)" ... "VBR V9": the texts ParseVbrQuality reads back; "(best)" marks the best
// end, whichever way the encoder counts.
Texts VbrTexts(const char* prefix, std::initializer_list<int> qualities, int best) {
  Texts texts;
  for (int quality : qualities) {
    texts.push_back(std::string("VBR ") + prefix + std::to_string(quality) +
                    (quality == best ? " (best)" : ""));
  }
  return texts;
}

// Built on first use, so that nothing depends on the order in which static objects are made.
std::vector<AudioEncoderChoices> BuildChoices() {
  const Texts commonKbps = Suffixed({64, 96, 128, 160, 192, 256, 320}, " kbps");
  // The order the dialog has always shown for the MP3 and WMA encoders.
  const PresetParameter commonSampleRates{Suffixed({44100, 48000, 22050, 32000}, " Hz"),
                                          "44100 Hz"};
  const PresetParameter monoStereo{{"1 Channel Mono", "2 Channel Stereo"}, "2 Channel Stereo"};
  const PresetParameter upToSurround{{"1 Channel Mono", "2 Channel Stereo", "5.1 Channel"},
                                     "2 Channel Stereo"};
  const PresetParameter noBitRate{};
  // Rates the lossless encoders keep, so that a high-resolution source need not be resampled.
  const PresetParameter losslessSampleRates{
      Suffixed({22050, 32000, 44100, 48000, 88200, 96000, 176400, 192000}, " Hz"), "44100 Hz"};
  const PresetParameter commonBitRates{commonKbps, "192 kbps"};
  return {
      {"MP3",
       {32, 320},
       {0, 9},
       kNone,
       {Joined(commonKbps, VbrTexts("V", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 0)), "192 kbps"},
       commonSampleRates,
       monoStereo},
      {"WMA7", kAnyBitRate, kNone, kNone, commonBitRates, commonSampleRates, monoStereo},
      {"WMA8", kAnyBitRate, kNone, kNone, commonBitRates, commonSampleRates, monoStereo},
      {"AAC",
       kAnyBitRate,
       {1, 5},
       kNone,
       {Joined(commonKbps, VbrTexts("quality ", {1, 2, 3, 4, 5}, 5)), "128 kbps"},
       {Suffixed({22050, 32000, 44100, 48000, 88200, 96000}, " Hz"), "44100 Hz"},
       upToSurround},
      {"ALAC", kNone, kNone, kNone, noBitRate, losslessSampleRates, upToSurround},
      {"AC3",
       {32, 640},
       kNone,
       kNone,
       {Suffixed({64, 96, 128, 160, 192, 256, 320, 384, 448, 640}, " kbps"), "192 kbps"},
       {Suffixed({32000, 44100, 48000}, " Hz"), "44100 Hz"},
       upToSurround},
      {"MP2",
       {32, 384},
       kNone,
       kNone,
       {Suffixed({64, 96, 128, 160, 192, 256, 320, 384}, " kbps"), "192 kbps"},
       {Suffixed({22050, 24000, 32000, 44100, 48000}, " Hz"), "44100 Hz"},
       monoStereo},
      {"VORBIS",
       kAnyBitRate,
       {0, 10},
       kNone,
       {Joined(commonKbps, VbrTexts("quality ", {3, 5, 6, 8, 10}, 10)), "128 kbps"},
       {Suffixed({22050, 32000, 44100, 48000}, " Hz"), "44100 Hz"},
       upToSurround},
      // Opus codes at 48 kHz whatever it is given, so no other rate is worth offering.
      {"OPUS",
       {6, 510},
       kNone,
       kNone,
       {Suffixed({32, 48, 64, 96, 128, 160, 192, 256}, " kbps"), "128 kbps"},
       {{"48000 Hz"}, "48000 Hz"},
       upToSurround},
      // The dialog offers the levels every FLAC decoder plays (0 to 8); the command line also
      // takes FFmpeg's 9 to 12.
      {"FLAC",
       kNone,
       kNone,
       {0, 12},
       {{"Level 0 (fastest)", "Level 1", "Level 2", "Level 3", "Level 4", "Level 5", "Level 6",
         "Level 7", "Level 8 (smallest)"},
        "Level 5"},
       losslessSampleRates,
       upToSurround},
      {"PCM_S16LE", kNone, kNone, kNone, noBitRate, losslessSampleRates, upToSurround},
      {"PCM_S16BE", kNone, kNone, kNone, noBitRate, losslessSampleRates, upToSurround},
  };
}

}  // namespace

NumberRange AudioEncoderChoices::bitRateKbpsAt(int sampleRate) const {
  if (codecName != "MP3") return bitRateKbps;
  if (sampleRate >= 32000) return {32, 320};
  if (sampleRate >= 16000) return {8, 160};
  return {8, 64};
}

PresetParameter AudioEncoderChoices::bitRatesAt(std::string_view sampleRateText) const {
  const NumberRange range = bitRateKbpsAt(ParseRate(sampleRateText));
  PresetParameter offered;
  std::string highestRate;
  for (const std::string& text : bitRates.choices) {
    const int bitRate = ParseRate(text);
    // Only "N kbps" parses to a rate; a quality or a level is no rate and always stays.
    if (bitRate > 0 && !range.holds(bitRate / 1000)) continue;
    offered.choices.push_back(text);
    if (bitRate > 0) highestRate = text;
    if (text == bitRates.defaultChoice) offered.defaultChoice = text;
  }
  if (offered.defaultChoice.empty()) offered.defaultChoice = highestRate;
  return offered;
}

const AudioEncoderChoices* FindAudioEncoderChoices(std::string_view codecName) {
  static const std::vector<AudioEncoderChoices> choices = BuildChoices();
  for (const AudioEncoderChoices& row : choices) {
    if (row.codecName == codecName) return &row;
  }
  return nullptr;
}

}  // namespace varnell

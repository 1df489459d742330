// What each audio encoder takes, as the settings offer it: the settings dialog's bit rate,
// sample rate and channel lists for the encoder (the bit rate slot also carries the VBR qualities
// and FLAC's compression levels), and the ranges varnell-convert checks its numbers against.
// Constant, built on first use; any thread may read it.
#pragma once

#include <string_view>

#include "settings/PresetTable.h"

namespace varnell {

// Whole numbers from lowest to highest; lowest > highest when the encoder has no such setting.
struct NumberRange {
  int lowest = 1, highest = 0;
  bool applies() const { return lowest <= highest; }
  bool holds(int value) const { return value >= lowest && value <= highest; }
};

struct AudioEncoderChoices {
  std::string_view codecName;    // AudioEncoders()'s name, "OPUS"
  NumberRange bitRateKbps;       // --bitrate; the MP3 encoder's depends on the sample rate
  NumberRange vbrQuality;        // --vbr
  NumberRange compressionLevel;  // --compression-level
  PresetParameter bitRates, sampleRates, channels;

  // The constant bit rates the encoder writes at a sample rate. MP3 has a table per MPEG version
  // (MPEG-1 from 32 kHz, MPEG-2 from 16 kHz, MPEG-2.5 below) and LAME silently clamps a rate
  // outside it, so 320 kb/s at 22050 Hz would quietly give 160; every other encoder has one range.
  NumberRange bitRateKbpsAt(int sampleRate) const;
  // The bit rate list the settings dialog offers beside its sample rate list's text ("22050 Hz"):
  // bitRates without the constant rates bitRateKbpsAt refuses (the VBR qualities and FLAC's
  // levels stay). Its default is bitRates' where that stays, else the highest rate left.
  PresetParameter bitRatesAt(std::string_view sampleRateText) const;
};

// The row of an encoder AudioEncoders() names, by exact name; null for any other name.
const AudioEncoderChoices* FindAudioEncoderChoices(std::string_view codecName);

}  // namespace varnell

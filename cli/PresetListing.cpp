#include "cli/PresetListing.h"

#include "cli/CommandLineOptions.h"
#include "cli/ConversionSettings.h"
#include "cli/OutputChoices.h"
#include "settings/OutputFormats.h"
#include "settings/PresetTable.h"

namespace varnell {
namespace {

// The defaults are completed as for a command line naming only the preset, so the listing
// cannot drift from what a conversion takes.
std::string PresetLine(const Preset& preset) {
  CommandLineOptions options;
  options.presetCode = preset.code;
  std::string line = std::to_string(preset.code) + "\t" + preset.displayName + "\t" +
                     OutputFor(options).extension + "\t";
  if (const std::optional<std::string> problem = CompleteOutputChoices({}, options)) {
    return line + *problem + "\n";
  }
  const AudioEncoder* encoder = FindAudioEncoder(options.encoder);
  line += options.encoder;
  if (encoder == nullptr || !encoder->lossless) {
    line += ", " + std::to_string(options.bitRateKbps) + " kbps";
  }
  line += ", " + std::to_string(options.sampleRate) + " Hz, " + std::to_string(options.channels) +
          (options.channels == 1 ? " channel\t" : " channels\t");
  if (preset.audioOnly) return line + "no video\n";
  line += options.videoCodec + ", " + options.frameSize + ", " + options.frameRate;
  if (!options.videoBitRate.empty()) line += ", " + options.videoBitRate;
  return line + "\n";
}

}  // namespace

std::string PresetListing() {
  std::string listing;
  for (const Preset& preset : AllPresets()) listing += PresetLine(preset);
  return listing;
}

}  // namespace varnell

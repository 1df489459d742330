#include "cli/ConversionSettings.h"

#include <string>

#include "settings/ProfileChoice.h"
#include "settings/SettingsAcceptance.h"

namespace varnell {

OutputSettings ConversionSettingsFor(const CommandLineOptions& options, MessageSink& messages) {
  OutputSettings settings;
  int currentPresetCode = 0;
  ApplyProfileChoice(options.profileItem, settings, currentPresetCode);
  AcceptedChoices choices;
  choices.encoder = options.encoder;
  choices.audioBitRate = std::to_string(options.bitRateKbps) + " kbps";
  choices.sampleRate = std::to_string(options.sampleRate) + " Hz";
  choices.channel = options.channels == 1 ? "1 Channel Mono" : "2 Channel Stereo";
  AcceptSettings(choices, currentPresetCode, settings, messages);
  return settings;
}

const char* FormatNameFor(const CommandLineOptions& options) {
  return options.profileItem == 1 ? kWmaProfileName : kMp3ProfileName;
}

}  // namespace varnell

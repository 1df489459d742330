#include "cli/ConversionSettings.h"

#include "settings/PresetTable.h"
#include "settings/SettingsAcceptance.h"

namespace varnell {

OutputSettings ConversionSettingsFor(const CommandLineOptions& options, MessageSink& messages) {
  OutputSettings settings;
  const Preset& preset = PresetOrEmpty(options.presetCode);
  // The dialog sets these two from the preset when it opens; acceptance leaves them alone.
  settings.audioOnly = preset.audioOnly;
  settings.thumbnail = preset.thumbnail;
  AcceptedChoices choices;
  choices.encoder = options.encoder;
  choices.audioBitRate = std::to_string(options.bitRateKbps) + " kbps";
  choices.sampleRate = std::to_string(options.sampleRate) + " Hz";
  choices.channel = options.channels == 1   ? "1 Channel Mono"
                    : options.channels == 6 ? "5.1 Channel"
                                            : "2 Channel Stereo";
  choices.videoCodec = options.videoCodec;
  choices.frameSize = options.frameSize;
  choices.frameRate = options.frameRate;
  choices.videoBitRate = options.videoBitRate;
  AcceptSettings(choices, options.presetCode, settings, messages);
  // The dialog's bit rate list carries these as texts of their own; the command line has numbers.
  settings.vbrQuality = options.vbrQuality;
  settings.compressionLevel = options.compressionLevel;
  settings.namePattern = options.namePattern;
  settings.skipExisting = options.skipExisting;
  return settings;
}

OutputChoice OutputFor(const CommandLineOptions& options) {
  return OutputChoiceForPreset(options.presetCode);
}

}  // namespace varnell

#include "settings/ProfileChoice.h"

#include "settings/OutputFormats.h"

namespace varnell {

void ApplyProfileChoice(int profileItem, OutputSettings& settings, int& currentPresetCode) {
  const std::vector<const OutputFormat*> profiles = ProfileFormats();
  if (profileItem < 0 || profileItem >= static_cast<int>(profiles.size())) return;
  const OutputFormat& profile = *profiles[profileItem];

  // Every profile starts from the same audio numbers; the preset and the encoder tell them apart.
  currentPresetCode = profile.presetCode;
  settings.audioOnly = true;
  settings.thumbnail = false;
  settings.audioBitRate = 128000;
  settings.channels = 2;
  settings.sampleRate = 44100;
  settings.audioCodecName = std::string(profile.defaultAudioEncoder());
}

}  // namespace varnell

#include "settings/ProfileChoice.h"

#include "settings/OutputFormats.h"
#include "settings/PresetTable.h"
#include "settings/SettingsAcceptance.h"

namespace varnell {

void ApplyProfileChoice(int profileItem, OutputSettings& settings, int& currentPresetCode) {
  const std::vector<const OutputFormat*> profiles = ProfileFormats();
  if (profileItem < 0 || profileItem >= static_cast<int>(profiles.size())) return;
  const OutputFormat& profile = *profiles[profileItem];

  // The audio numbers are what OK in the settings dialog would store on the preset's
  // preselections (128 kb/s, 44100 Hz, stereo for MP3 and WMA; 48000 Hz for Opus; FLAC's level 5).
  currentPresetCode = profile.presetCode;
  const OutputSettings preselected = PresetPreselection(PresetOrEmpty(profile.presetCode));
  settings.audioOnly = true;
  settings.thumbnail = false;
  settings.audioBitRate = preselected.audioBitRate;
  settings.channels = preselected.channels;
  settings.sampleRate = preselected.sampleRate;
  settings.vbrQuality = preselected.vbrQuality;
  settings.compressionLevel = preselected.compressionLevel;
  settings.audioCodecName = std::string(profile.defaultAudioEncoder());
}

}  // namespace varnell

#include "settings/ProfileChoice.h"

#include <iterator>

#include "settings/PresetTable.h"

namespace varnell {

namespace {

struct ProfileDefaults {
  int presetCode;
  const char* audioCodecName;
};

// Both profiles start from the same audio numbers; only the preset and the
// encoder name tell them apart.
constexpr ProfileDefaults kProfiles[] = {
    {kMp3PresetCode, "MP3"},
    {kWmaPresetCode, "WMA8"},
};

}  // namespace

void ApplyProfileChoice(int profileItem, OutputSettings& settings, int& currentPresetCode) {
  if (profileItem < 0 || profileItem >= static_cast<int>(std::size(kProfiles))) return;
  const ProfileDefaults& profile = kProfiles[profileItem];

  currentPresetCode = profile.presetCode;
  settings.audioOnly = true;
  settings.thumbnail = false;
  settings.audioBitRate = 128000;
  settings.channels = 2;
  settings.sampleRate = 44100;
  settings.audioCodecName = profile.audioCodecName;
}

}  // namespace varnell

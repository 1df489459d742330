#pragma once

#include "settings/OutputSettings.h"

namespace varnell {

// The main window's Profile items, in item order (the output format table lists them).
inline constexpr const char* kMp3ProfileName = "MP3-MPEG Layer-3 Audio(*.mp3)";
inline constexpr const char* kWmaProfileName = "WMA-Windows Media Audio(*.wma)";

// Called on the user-interface thread when the profile combo box changes and
// once at start-up with item 0. Each item (ProfileFormats()) selects its preset
// and sets the audio output values to the preset's preselections; any other
// item changes nothing. The previous preset code, saved texts and video fields
// are left as they are.
void ApplyProfileChoice(int profileItem, OutputSettings& settings, int& currentPresetCode);

}  // namespace varnell

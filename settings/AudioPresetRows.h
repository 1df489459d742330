// The encoder, bit rate, sample rate and channel lists of the audio presets, each for what its
// name promises. Private to settings/: the preset table calls it once per row while it is built.
#pragma once

#include "settings/PresetTable.h"

namespace varnell {

// Fills the four audio columns of an audio preset's row; any other row is left as it is.
void FillAudioPresetRow(Preset& preset);

}  // namespace varnell

// The lists of the video presets: what each row's name promises (its codec, a size and rate for
// a device, the source's own for the General Video rows, a bit rate for that size) and sound its
// container takes. Used once, while the preset table is built.
#pragma once

#include "settings/PresetTable.h"

namespace varnell {

// Fills the eight lists of a video row from its entry; a row without an entry (90000, whose
// lists PresetTable.cpp keeps, and every audio row) is left as it is.
void FillVideoPresetRow(Preset& preset);

}  // namespace varnell

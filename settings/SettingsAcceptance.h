#pragma once

#include <string>

#include "settings/MessageSink.h"
#include "settings/OutputSettings.h"
#include "settings/PresetTable.h"

namespace varnell {

// The texts selected in the settings dialog's eight lists when OK is pressed
// (empty for a disabled list).
struct AcceptedChoices {
  std::string encoder, audioBitRate, sampleRate, channel, videoCodec, frameSize, frameRate,
      videoBitRate;
};

// Stores the dialog's choices into the output settings and remembers them for
// the next opening on the same preset. Leaves the audio-only and thumbnail
// flags alone: the dialog sets those when it opens. User-interface thread only.
void AcceptSettings(const AcceptedChoices& choices, int currentPresetCode, OutputSettings& settings,
                    MessageSink& messages);

// The audio numbers OK stores on the preset's own preselections; a column without a list keeps
// its start-up value (the encoder's name empty). The table's texts never draw a message.
OutputSettings PresetPreselection(const Preset& preset);

}  // namespace varnell

// What lives for the whole run of the program besides its windows: the output settings with the
// current preset code, and the media information of the last probed row. Owned by the
// application object; used on the user-interface thread only.
#pragma once

#include "engine/MediaInformation.h"
#include "settings/OutputSettings.h"

namespace varnell {

struct ApplicationState {
  MediaInformation mediaInformation;
  OutputSettings outputSettings;
  int currentPresetCode = 0;
};

}  // namespace varnell

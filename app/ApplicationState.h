// What lives for the whole run of the program besides its windows: the engine object (made on
// first need), the output settings with the current preset code, and the media information of
// the last probed row. Owned by the application object; used on the user-interface thread only.
#pragma once

#include <memory>

#include "engine/AVConvert.h"
#include "engine/MediaInformation.h"
#include "settings/OutputSettings.h"

namespace varnell {

struct ApplicationState {
  MediaInformation mediaInformation;
  OutputSettings outputSettings;
  int currentPresetCode = 0;
  std::unique_ptr<AVConvert> engine;

  AVConvert& Engine() {
    if (!engine) engine = std::make_unique<AVConvert>();
    return *engine;
  }
};

}  // namespace varnell

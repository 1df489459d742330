// The functions of the window that initialised the player last. The callers' thread replaces
// them at any time; the decoding thread calls whichever are registered when it notifies.
#pragma once

#include <atomic>

#include "playermodule/PlayerModule.h"

namespace varnell::player {

class Notifications {
 public:
  void replace(PlayerModuleEndFunc onEnd, PlayerModuleSecondFunc second) {
    onEnd_.store(onEnd);
    second_.store(second);
  }
  void notifyEnd() const {
    if (const PlayerModuleEndFunc onEnd = onEnd_.load()) onEnd();
  }
  void notifySecond(int seconds) const {
    if (const PlayerModuleSecondFunc second = second_.load()) second(seconds);
  }

 private:
  std::atomic<PlayerModuleEndFunc> onEnd_{nullptr};
  std::atomic<PlayerModuleSecondFunc> second_{nullptr};
};

}  // namespace varnell::player

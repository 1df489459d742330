#pragma once

#include <vector>

#include "resources/generator/ButtonDesign.h"

namespace varnell::skin {

// Every skinned button of the main window: where it sits, which bitmap numbers the window
// loads for it, and how each of its faces is drawn.
class ButtonCatalogue {
 public:
  static std::vector<ButtonDesign> mainWindow();
};

}  // namespace varnell::skin

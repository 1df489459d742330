#pragma once

#include <string>
#include <vector>

namespace varnell {

// A list the settings dialog rebuilds by itself, not from the preset: its texts
// in display order and the one it selects unless a preferred text is offered.
struct FixedChoiceList {
  std::vector<std::string> choices;
  std::string selected;
};

}  // namespace varnell

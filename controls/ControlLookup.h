// Dialogs keep their controls in maps by control id; a lookup of an id the dialog lacks gives null.
#pragma once

#include <map>

namespace varnell {

template <typename Control>
Control* FindControl(const std::map<int, Control*>& controls, int id) {
  const auto found = controls.find(id);
  return found == controls.end() ? nullptr : found->second;
}

}  // namespace varnell

#pragma once

#include <string>

#include <QString>

namespace varnell {

// The text a drop-down list shows for a choice text of the preset table, in the user's
// language. The choice text itself ("2 Channel Stereo", "VBR V0 (best)") is what the settings
// store and the engine parses, so it never changes with the language: the lists keep it as each
// item's data and show this form. Numbers and units stay as they are.
QString ShownChoiceText(const std::string& choice);

}  // namespace varnell

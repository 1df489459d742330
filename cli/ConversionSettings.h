// The output settings and the format name a launch from the main window would give the engine,
// made from the command line's options instead of the settings dialog's lists.
#pragma once

#include <string>

#include "cli/CommandLineOptions.h"
#include "settings/MessageSink.h"
#include "settings/OutputSettings.h"

namespace varnell {

// The preset's flags and the choices as the settings dialog accepts them. Complaints about the
// choices go to messages, as the dialog shows them.
OutputSettings ConversionSettingsFor(const CommandLineOptions& options, MessageSink& messages);

// The name whose extension the outputs get: for the two presets the main window offers, the
// profile item's name, so that both write ".mp3" and ".wma"; else the preset's display name.
std::string FormatNameFor(const CommandLineOptions& options);

}  // namespace varnell

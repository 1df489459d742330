// The output settings and the output a launch from the main window would give the engine,
// made from the command line's options instead of the settings dialog's lists.
#pragma once

#include <string>

#include "cli/CommandLineOptions.h"
#include "settings/MessageSink.h"
#include "settings/OutputFormats.h"
#include "settings/OutputSettings.h"

namespace varnell {

// The preset's flags and the choices as the settings dialog accepts them. Complaints about the
// choices go to messages, as the dialog shows them.
OutputSettings ConversionSettingsFor(const CommandLineOptions& options, MessageSink& messages);

// What the outputs are: for the presets the main window's Profile list offers, its item, so that
// they write ".mp3" and ".wma"; else the preset's format, with its extension as its name spells it.
OutputChoice OutputFor(const CommandLineOptions& options);

}  // namespace varnell

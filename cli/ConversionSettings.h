// The output settings and the format name a launch from the main window would give the engine,
// made from the command line's options instead of the settings dialog's lists.
#pragma once

#include "cli/CommandLineOptions.h"
#include "settings/MessageSink.h"
#include "settings/OutputSettings.h"

namespace varnell {

// Complaints about the choices go to messages, as the settings dialog shows them.
OutputSettings ConversionSettingsFor(const CommandLineOptions& options, MessageSink& messages);

// The profile name whose extension the outputs get.
const char* FormatNameFor(const CommandLineOptions& options);

}  // namespace varnell

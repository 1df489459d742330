// The task row a file of the command line becomes: probed as the main window probes a file it
// adds, with the command line's clip times.
#pragma once

#include <string>
#include <variant>

#include "cli/CommandLineOptions.h"
#include "engine/AVConvert.h"
#include "engine/ConversionJob.h"

namespace varnell {

struct RowFailure {
  std::string reason;
};

// Uses the engine's probe, so no worker of that engine may run.
std::variant<TaskRow, RowFailure> RowForFile(AVConvert& engine, const std::string& path,
                                             const CommandLineOptions& options);

}  // namespace varnell

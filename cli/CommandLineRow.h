// The task rows the files of the command line become: probed as the main window probes a file it
// adds, with the command line's clip times.
#pragma once

#include <functional>
#include <string>
#include <variant>
#include <vector>

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

// Every file of the command line as a row, in order. A file whose probe failed is an unchecked
// row (no path, so the workers pass it over without touching it) and keeps the probe's reason.
struct CommandLineRows {
  std::vector<TaskRow> rows;
  std::vector<std::string> probeFailures;  // per row; empty for a file that probed

  // Why a row the worker ended as failed failed: the probe's reason for a file that did not
  // probe, else the worker's.
  const std::string& FailureReason(const AVConvert& engine, int row) const;
};

// Probes the files one after another with the engine's probe. Stops probing once stopRequested
// is true, leaving fewer rows than files.
CommandLineRows RowsForFiles(AVConvert& engine, const CommandLineOptions& options,
                             const std::function<bool()>& stopRequested);

}  // namespace varnell

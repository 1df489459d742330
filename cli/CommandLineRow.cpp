#include "cli/CommandLineRow.h"

#include "engine/ClipTime.h"

namespace varnell {

std::variant<TaskRow, RowFailure> RowForFile(AVConvert& engine, const std::string& path,
                                             const CommandLineOptions& options) {
  engine.probePath = path;
  if (engine.ProbeSourceFile() < 0) return RowFailure{engine.probeFailureReason()};
  if (engine.durationSeconds < 0) return RowFailure{"the length of the source is unknown"};
  TaskRow row;
  row.sourcePath = path;
  row.startTime = options.start;
  row.endTime = options.end.value_or(FormatClipTime(engine.durationSeconds));
  row.durationSeconds = std::to_string(engine.durationSeconds);
  return row;
}

}  // namespace varnell

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
  row.endChosen = options.end.has_value();
  if (engine.durationMicroseconds > 0) row.probedSeconds = engine.durationMicroseconds / 1e6;
  return row;
}

const std::string& CommandLineRows::FailureReason(const AVConvert& engine, int row) const {
  return probeFailures[row].empty() ? engine.failureReason(row) : probeFailures[row];
}

CommandLineRows RowsForFiles(AVConvert& engine, const CommandLineOptions& options,
                             const std::function<bool()>& stopRequested) {
  CommandLineRows probed;
  for (const std::string& path : options.files) {
    if (stopRequested()) break;
    std::variant<TaskRow, RowFailure> row = RowForFile(engine, path, options);
    if (auto* failure = std::get_if<RowFailure>(&row)) {
      probed.probeFailures.push_back(std::move(failure->reason));
      probed.rows.push_back(TaskRow{path, "", "", "", false});
    } else {
      probed.probeFailures.emplace_back();
      probed.rows.push_back(std::move(std::get<TaskRow>(row)));
    }
  }
  return probed;
}

}  // namespace varnell

// The row boundary of the per-file worker: whatever converting one row throws ends that row
// alone, as a failure with a reason, and the worker goes on with the next row. Nothing may
// escape the worker thread: it would end the program and leave the caller waiting.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "engine/FileConversion.h"

namespace varnell {

struct RowResult {
  std::optional<FileConversionResult> converted;  // empty when the row failed
  std::string failureReason;
};

using ConvertFileFunction = FileConversionResult (*)(const FileConversionRequest&,
                                                     const std::atomic<bool>&, std::atomic<int>&);

RowResult ConvertRow(const FileConversionRequest& request, const std::atomic<bool>& stopFlag,
                     std::atomic<int>& currentFilePercent, ConvertFileFunction convert = &ConvertFile);

}  // namespace varnell

// The row boundary of the workers: whatever converting one row throws ends that row alone, as a
// failure with a reason, and the worker goes on with the next row. Nothing may escape the worker
// thread: it would end the program and leave the caller waiting.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "engine/FileConversion.h"
#include "engine/Job.h"
#include "engine/RowOutcome.h"

namespace varnell {

struct RowResult {
  std::optional<CompletedOutput> converted;  // empty when the row failed
  std::string failureReason;
};

using ConvertFileFunction = CompletedOutput (*)(const FileConversionRequest&,
                                                const std::atomic<bool>&, RowProgress);

RowResult ConvertRow(const FileConversionRequest& request, const std::atomic<bool>& stopFlag,
                     RowProgress progress, ConvertFileFunction convert = &ConvertToCompletedOutput);

// The outcome of a row that is not converted at all: NotStarted when it is not selected, Failed
// with the job's reason when the job could not be built, Skipped when its output existed.
// Nothing when it is to be converted.
std::optional<RowOutcome> RowRefusal(const Job& job, int row);
// What the job asks of a row that is to be converted.
FileConversionRequest RequestForRow(const Job& job, int row);

// Runs work; returns the failure's reason when it threw, nothing when it succeeded.
std::optional<std::string> FailureOf(const std::function<void()>& work);

}  // namespace varnell

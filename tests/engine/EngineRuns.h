// Running a merge the way the window launches one.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Conversion.h"

namespace varnell::testing {

struct MergeOutcome {
  std::vector<RowOutcome> rows;
  std::string outputPath;  // empty when no file was left
  std::string failure;     // why not
};

inline void StartMerge(ConversionEngine& engine, BatchRecorder& recorder,
                       const std::vector<TaskRow>& rows, const std::string& folder,
                       const ConversionOptions& options = {}) {
  engine.Start(JobFor(rows, folder, options, JobKind::MergeFiles), recorder);
}

inline MergeOutcome MergeOutcomeOf(BatchRecorder& recorder) {
  const BatchOutcome batch = recorder.seen().batch.value_or(BatchOutcome{});
  return {recorder.outcomes(), batch.mergedOutputPath, batch.mergeFailureReason};
}

inline MergeOutcome RunMerge(ConversionEngine& engine, const std::vector<TaskRow>& rows,
                             const std::string& folder, const ConversionOptions& options = {}) {
  BatchRecorder recorder;
  StartMerge(engine, recorder, rows, folder, options);
  engine.Wait();
  EXPECT_EQ(recorder.outcomes().size(), rows.size());
  return MergeOutcomeOf(recorder);
}

}  // namespace varnell::testing

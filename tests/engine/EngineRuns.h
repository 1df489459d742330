// Waiting on a worker, and running a merge the way the window launches one.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Conversion.h"

namespace varnell::testing {

// Polls what another thread or process does; the deadline only keeps a broken run from hanging.
inline void WaitUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (!condition()) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the worker never got there";
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

struct MergeOutcome {
  std::vector<RowOutcome> rows;
  std::string outputPath;  // empty when no file was left
  std::string failure;     // why not
};

inline void StartMerge(AVConvert& engine, const std::vector<TaskRow>& rows, const std::string& folder,
                       const ConversionOptions& options = {}) {
  BuildConversionJob(engine, rows, folder, FormatNameFor(options), SettingsFor(options),
                     JobKind::MergeFiles);
  engine.StartMergeFiles();
}

inline MergeOutcome RunMerge(AVConvert& engine, const std::vector<TaskRow>& rows,
                             const std::string& folder, const ConversionOptions& options = {}) {
  StartMerge(engine, rows, folder, options);
  engine.JoinWorker();
  EXPECT_EQ(engine.currentTaskIndex, static_cast<int>(rows.size()));
  MergeOutcome outcome{{}, engine.mergedOutputPath, engine.mergeFailureReason};
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    outcome.rows.push_back({engine.taskStatus(row), "", engine.failureReason(row)});
  }
  return outcome;
}

}  // namespace varnell::testing

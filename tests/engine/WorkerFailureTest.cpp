// Whatever goes wrong in the worker ends rows with a reason; it never ends the program or
// leaves a caller waiting for a worker that does not run.
#include <gtest/gtest.h>

#include <stdexcept>

#include "Conversion.h"
#include "ThreadsCannotStart.h"
#include "engine/RowBoundary.h"

namespace varnell {
namespace {

TEST(WorkerFailure, AnyExceptionAtTheRowBoundaryFailsThatRowWithAReason) {
  const auto failureOf = [](ConvertFileFunction convert) {
    std::atomic<bool> stop{false};
    std::atomic<int> percent{0};
    const RowResult row = ConvertRow(FileConversionRequest{}, stop, percent, convert);
    EXPECT_FALSE(row.converted.has_value());
    return row.failureReason;
  };
  EXPECT_EQ(
      failureOf([](const FileConversionRequest&, const std::atomic<bool>&,
                   RowProgress) -> CompletedOutput { throw std::out_of_range("index 7 of 3"); }),
      "unexpected error: index 7 of 3");
  EXPECT_EQ(failureOf([](const FileConversionRequest&, const std::atomic<bool>&,
                         RowProgress) -> CompletedOutput { throw 42; }),
            "unexpected error");
}

TEST(WorkerFailure, AWorkerThatCannotStartFailsTheRowsAndLeavesNoWorkerRunning) {
  ConversionEngine engine;
  const std::vector<TaskRow> rows{{"/nowhere/a.m4a", "00:00:00", "00:00:05", "5"},
                                  {"/nowhere/b.m4a", "00:00:00", "00:00:05", "5"}};
  const Job job = testing::JobFor(rows, "/nowhere");
  testing::BatchRecorder refused;
  {
    const testing::ThreadsCannotStart noThreads;
    engine.Start(job, refused);
  }
  // Told at once, on this thread: every row, then the batch's end.
  const testing::BatchRecorder::Seen seen = refused.seen();
  ASSERT_EQ(seen.ended.size(), 2u);
  ASSERT_TRUE(seen.batch.has_value());
  for (const auto& [row, outcome] : seen.ended) {
    EXPECT_EQ(outcome.status, RowOutcome::Status::Failed);
    EXPECT_EQ(outcome.reason,
              "cannot start the conversion thread: Resource temporarily unavailable");
  }
  engine.Wait();  // nothing to wait for
  // The engine is whole: the next start runs a worker that gets to the rows themselves.
  testing::BatchRecorder recorder;
  engine.Start(job, recorder);
  engine.Wait();
  EXPECT_EQ(recorder.outcomes().at(0).reason, "cannot open source: No such file or directory");
}

}  // namespace
}  // namespace varnell

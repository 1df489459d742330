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
  EXPECT_EQ(failureOf([](const FileConversionRequest&, const std::atomic<bool>&,
                         RowProgress) -> CompletedOutput {
              throw std::out_of_range("index 7 of 3");
            }),
            "unexpected error: index 7 of 3");
  EXPECT_EQ(failureOf([](const FileConversionRequest&, const std::atomic<bool>&,
                         RowProgress) -> CompletedOutput { throw 42; }),
            "unexpected error");
}

TEST(WorkerFailure, AWorkerThatCannotStartFailsTheRowsAndLeavesNoWorkerRunning) {
  AVConvert engine;
  const std::vector<TaskRow> rows{{"/nowhere/a.m4a", "00:00:00", "00:00:05", "5"},
                                  {"/nowhere/b.m4a", "00:00:00", "00:00:05", "5"}};
  BuildConversionJob(engine, rows, "/nowhere", kMp3ProfileName, testing::SettingsFor({}));
  {
    const testing::ThreadsCannotStart noThreads;
    engine.StartConvertFiles();
  }
  EXPECT_FALSE(engine.IsWorkerRunning());
  EXPECT_EQ(engine.currentTaskIndex, 2);
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(engine.taskStatus(row), kTaskFailed);
    EXPECT_EQ(engine.failureReason(row),
              "cannot start the conversion thread: Resource temporarily unavailable");
  }
  // The engine is whole: the next start runs a worker that gets to the rows themselves.
  engine.StartConvertFiles();
  engine.JoinWorker();
  EXPECT_EQ(engine.failureReason(0), "cannot open source: No such file or directory");
}

}  // namespace
}  // namespace varnell

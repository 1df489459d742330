// The per-file worker's row protocol as the progress display and the completion scan read it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <utility>

#include "Conversion.h"
#include "EngineRuns.h"
#include "Media.h"
#include "TempFolder.h"

namespace varnell {
namespace {

using testing::AddedRow;
using testing::ConversionOptions;
using testing::RunBatch;
using testing::SettingsFor;
using testing::TempFolder;
using testing::WaitUntil;
using testing::Tone;
using testing::WriteSample;

class WorkerProtocol : public ::testing::Test {
 protected:
  TaskRow AddFile(AVConvert& engine, const std::string& name, double seconds = 2.0) {
    WriteSample(Tone(sources / name, seconds));
    return AddedRow(engine, sources / name);
  }
  TempFolder sources;
  TempFolder output;
};

TEST_F(WorkerProtocol, FailedAndUncheckedRowsDoNotStopTheBatch) {
  AVConvert engine;
  TaskRow good = AddFile(engine, "good.m4a");
  TaskRow unchecked = AddFile(engine, "skipped.m4a");
  unchecked.checked = false;
  TaskRow broken = good;
  broken.sourcePath = sources / "vanished.m4a";  // added, then deleted before converting
  TaskRow last = AddFile(engine, "last.m4a");

  const auto outcomes = RunBatch(engine, {good, unchecked, broken, last}, output.path().string());
  EXPECT_EQ(outcomes[0].status, kTaskCompleted);
  EXPECT_EQ(outcomes[1].status, kTaskFailed);  // never shown: the row map skips it
  EXPECT_EQ(outcomes[2].status, kTaskFailed);
  EXPECT_EQ(outcomes[2].reason, "cannot open source: No such file or directory");
  EXPECT_EQ(outcomes[3].status, kTaskCompleted);
  EXPECT_EQ(engine.currentFilePercent, 100);
  EXPECT_EQ(engine.taskCount, 3);
  EXPECT_FALSE(std::filesystem::exists(output / "skipped.mp3"));
  EXPECT_TRUE(std::filesystem::exists(output / "good.mp3"));
  EXPECT_TRUE(std::filesystem::exists(output / "last.mp3"));
}

TEST_F(WorkerProtocol, PercentRisesFromOpeningToCompletion) {
  AVConvert engine;
  const TaskRow row = AddFile(engine, "long.m4a", 30.0);
  BuildConversionJob(engine, {row}, output.path().string(), kMp3ProfileName, SettingsFor({}));
  engine.currentFilePercent = 0;
  engine.StartConvertFiles();
  std::vector<int> seen;
  while (engine.currentTaskIndex.load() < 1) {
    const int percent = engine.currentFilePercent.load();
    if (seen.empty() || seen.back() != percent) seen.push_back(percent);
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  engine.JoinWorker();
  EXPECT_EQ(engine.currentFilePercent, 100);
  // 0 from the launch, -1 while the row opens (too brief to be seen every time), then only
  // rising values: once converting, the percent never falls back.
  const auto converting = std::find_if(seen.begin(), seen.end(), [](int p) { return p > 0; });
  ASSERT_NE(converting, seen.end());
  EXPECT_TRUE(std::all_of(seen.begin(), converting, [](int p) { return p == 0 || p == -1; }));
  EXPECT_TRUE(std::is_sorted(converting, seen.end()));
  EXPECT_GE(seen.end() - converting, 3);
  EXPECT_GE(*std::max_element(seen.begin(), seen.end()), 90);
}

// Two row threads: a stop ends both running rows with shorter, valid files and starts no other.
TEST_F(WorkerProtocol, StopEndsEveryRunningRowShorterAndStartsNoOther) {
  AVConvert engine;
  engine.rowWorkers = 2;
  const std::vector<TaskRow> rows{AddFile(engine, "first.m4a", 60.0), AddFile(engine, "second.m4a", 60.0),
                                  AddFile(engine, "third.m4a")};
  BuildConversionJob(engine, rows, output.path().string(), kMp3ProfileName, SettingsFor({}));
  engine.currentFilePercent = 0;
  engine.StartConvertFiles();
  WaitUntil([&] { return engine.rowPercent(0) >= 5 && engine.rowPercent(1) >= 5; });
  engine.stopFlag = true;
  engine.JoinWorker();

  EXPECT_EQ(engine.currentTaskIndex, 2);
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(engine.taskStatus(row), kTaskPending);
    EXPECT_FALSE(engine.rowRunning(row));
    const auto stopped = testing::Inspect(engine.outputPaths[row]);
    EXPECT_GT(stopped.decodedSamples, 44100);
    EXPECT_LT(stopped.decodedSamples, 55 * 44100);
    EXPECT_EQ(stopped.decodeErrors, 0);
    EXPECT_NEAR(engine.secondsWritten(row), stopped.decodedSamples / 44100.0, 0.1);
  }
  EXPECT_EQ(engine.taskStatus(2), kTaskPending);
  EXPECT_FALSE(std::filesystem::exists(output / "third.mp3"));
}

// A long first row and short later ones on two row threads: the short rows end first, yet no
// row's result shows before the rows above it are final, the collision names come out in row
// order (the first row's song.mp3 although its namesake finished long before), and a row that
// fails among them keeps its own reason. Twice, so the second batch meets the first's files.
TEST_F(WorkerProtocol, RowsThatEndOutOfOrderAreFinalAndNamedInRowOrder) {
  std::filesystem::create_directory(sources / "other");
  AVConvert engine;
  engine.rowWorkers = 2;
  TaskRow vanished = AddFile(engine, "vanished.m4a");
  std::filesystem::remove(vanished.sourcePath);
  const std::vector<TaskRow> rows{AddFile(engine, "song.m4a", 20.0), AddFile(engine, "other/song.m4a"),
                                  vanished, AddFile(engine, "last.m4a")};
  const std::vector<std::pair<std::string, std::string>> names{{"song.mp3", "song(0).mp3"},
                                                               {"song(1).mp3", "song(2).mp3"}};
  for (const auto& [firstName, namesakeName] : names) {
    BuildConversionJob(engine, rows, output.path().string(), kMp3ProfileName, SettingsFor({}));
    engine.currentFilePercent = 0;
    engine.StartConvertFiles();
    bool laterRowEndedFirst = false;
    while (engine.IsWorkerRunning()) {
      // Read from the last row up: a final row seen means every row above it was final before.
      bool finalSeen = false;
      for (int row = 3; row >= 0; --row) {
        const bool final = engine.taskStatus(row) != kTaskPending;
        EXPECT_TRUE(final || !finalSeen) << "a row after row " << row << " was final before it";
        finalSeen = finalSeen || final;
      }
      const bool lastRowDone = engine.rowPercent(3) == 100;
      const int index = engine.currentTaskIndex.load();
      if (index == 0 && lastRowDone) laterRowEndedFirst = true;
      for (int row = 0; row < index; ++row) {
        EXPECT_FALSE(engine.rowRunning(row)) << "the index passed row " << row << " while it converts";
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    engine.JoinWorker();
    EXPECT_TRUE(laterRowEndedFirst);
    EXPECT_EQ(engine.currentTaskIndex, 4);
    EXPECT_EQ(engine.taskStatus(0), kTaskCompleted);
    EXPECT_EQ(engine.taskStatus(1), kTaskCompleted);
    EXPECT_EQ(engine.taskStatus(2), kTaskFailed);
    EXPECT_EQ(engine.failureReason(2), "cannot open source: No such file or directory");
    EXPECT_EQ(engine.taskStatus(3), kTaskCompleted);
    EXPECT_EQ(std::filesystem::path(engine.outputPaths[0]).filename(), firstName);
    EXPECT_EQ(std::filesystem::path(engine.outputPaths[1]).filename(), namesakeName);
    EXPECT_NEAR(testing::Inspect(engine.outputPaths[0]).decodedSamples, 20 * 44100, 4096);
    EXPECT_NEAR(testing::Inspect(engine.outputPaths[1]).decodedSamples, 2 * 44100, 4096);
  }
}

TEST_F(WorkerProtocol, StopBeforeTheFirstRowTouchesNothing) {
  AVConvert engine;
  const TaskRow row = AddFile(engine, "song.m4a");
  BuildConversionJob(engine, {row}, output.path().string(), kMp3ProfileName, SettingsFor({}));
  engine.stopFlag = true;
  engine.StartConvertFiles();
  engine.JoinWorker();
  EXPECT_EQ(engine.taskStatus(0), kTaskPending);
  EXPECT_EQ(engine.currentTaskIndex, 0);
  EXPECT_TRUE(std::filesystem::is_empty(output.path()));
}

TEST_F(WorkerProtocol, AnEngineIsReusedForTheNextBatchAndProbe) {
  AVConvert engine;
  const TaskRow row = AddFile(engine, "again.m4a");
  for (int batch = 0; batch < 3; ++batch) {
    const auto outcome = RunBatch(engine, {row}, output.path().string()).front();
    EXPECT_EQ(outcome.status, kTaskCompleted) << outcome.reason;
  }
  EXPECT_TRUE(std::filesystem::exists(output / "again(1).mp3"));
  engine.probePath = row.sourcePath;
  EXPECT_EQ(engine.ProbeSourceFile(), kProbeOk);
}

TEST_F(WorkerProtocol, SeveralEnginesConvertAtOnce) {
  constexpr int kEngines = 4;
  std::vector<std::unique_ptr<AVConvert>> engines;
  for (int i = 0; i < kEngines; ++i) {
    engines.push_back(std::make_unique<AVConvert>());
    const TaskRow row = AddFile(*engines.back(), "parallel" + std::to_string(i) + ".m4a", 5.0);
    ConversionOptions options;
    options.profileItem = i % 2;
    BuildConversionJob(*engines.back(), {row}, output.path().string(),
                       testing::FormatNameFor(options), SettingsFor(options));
    engines.back()->currentFilePercent = 0;
  }
  for (auto& engine : engines) engine->StartConvertFiles();
  for (auto& engine : engines) engine->JoinWorker();
  for (int i = 0; i < kEngines; ++i) {
    EXPECT_EQ(engines[i]->taskStatus(0), kTaskCompleted) << engines[i]->failureReason(0);
    EXPECT_NEAR(testing::Inspect(engines[i]->outputPaths[0]).decodedSamples, 5 * 44100, 4096);
  }
}

TEST_F(WorkerProtocol, DestroyingABusyEngineStopsAndJoinsItsWorker) {
  auto engine = std::make_unique<AVConvert>();
  const TaskRow row = AddFile(*engine, "busy.m4a", 60.0);
  BuildConversionJob(*engine, {row}, output.path().string(), kMp3ProfileName, SettingsFor({}));
  engine->StartConvertFiles();
  WaitUntil([&] { return engine->currentFilePercent >= 1; });
  engine.reset();
  EXPECT_GT(testing::Inspect(output / "busy.mp3").decodedSamples, 0);
}

}  // namespace
}  // namespace varnell

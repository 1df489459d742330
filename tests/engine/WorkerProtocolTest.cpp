// The per-file worker's row protocol as the progress display and the completion scan read it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

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

TEST_F(WorkerProtocol, StopFinishesTheCurrentFileShorterAndStartsNoOther) {
  AVConvert engine;
  const std::vector<TaskRow> rows{AddFile(engine, "first.m4a"), AddFile(engine, "second.m4a", 60.0),
                                  AddFile(engine, "third.m4a")};
  BuildConversionJob(engine, rows, output.path().string(), kMp3ProfileName, SettingsFor({}));
  engine.currentFilePercent = 0;
  engine.StartConvertFiles();
  WaitUntil([&] { return engine.currentTaskIndex == 1 && engine.currentFilePercent >= 5; });
  engine.stopFlag = true;
  engine.JoinWorker();

  EXPECT_EQ(engine.taskStatus(0), kTaskCompleted);
  EXPECT_EQ(engine.taskStatus(1), kTaskPending);
  EXPECT_EQ(engine.taskStatus(2), kTaskPending);
  EXPECT_EQ(engine.currentTaskIndex, 2);
  const auto stopped = testing::Inspect(output / "second.mp3");
  EXPECT_GT(stopped.decodedSamples, 44100);
  EXPECT_LT(stopped.decodedSamples, 55 * 44100);
  EXPECT_EQ(stopped.decodeErrors, 0);
  EXPECT_FALSE(std::filesystem::exists(output / "third.mp3"));
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

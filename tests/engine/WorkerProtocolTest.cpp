// The engine's row protocol as the window and varnell-convert see it through their observer.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <filesystem>

#include "BatchRecorder.h"
#include "Conversion.h"
#include "Media.h"
#include "TempFolder.h"

namespace varnell {
namespace {

using testing::AddedRow;
using testing::BatchRecorder;
using testing::ConversionOptions;
using testing::JobFor;
using testing::RunBatch;
using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;
using Status = RowOutcome::Status;

class WorkerProtocol : public ::testing::Test {
 protected:
  TaskRow AddFile(const std::string& name, double seconds = 2.0) {
    WriteSample(Tone(sources / name, seconds));
    return AddedRow(sources / name);
  }
  TempFolder sources;
  TempFolder output;
};

TEST_F(WorkerProtocol, FailedAndUncheckedRowsDoNotStopTheBatch) {
  ConversionEngine engine;
  TaskRow good = AddFile("good.m4a");
  TaskRow unchecked = AddFile("skipped.m4a");
  unchecked.checked = false;
  TaskRow broken = good;
  broken.sourcePath = sources / "vanished.m4a";  // added, then deleted before converting
  TaskRow last = AddFile("last.m4a");

  BatchRecorder recorder;
  engine.Start(JobFor({good, unchecked, broken, last}, output.path().string()), recorder);
  engine.Wait();
  const BatchRecorder::Seen seen = recorder.seen();
  // Every row once, in row order, and the batch's end after them.
  ASSERT_EQ(seen.ended.size(), 4u);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(seen.ended[row].first, row);
  ASSERT_TRUE(seen.batch.has_value());
  EXPECT_FALSE(seen.batch->stopped);
  EXPECT_EQ(seen.ended[0].second.status, Status::Completed);
  EXPECT_EQ(seen.ended[0].second.outputPath, output / "good.mp3");
  EXPECT_EQ(seen.ended[1].second.status, Status::NotStarted);
  EXPECT_EQ(seen.ended[2].second.status, Status::Failed);
  EXPECT_EQ(seen.ended[2].second.reason, "cannot open source: No such file or directory");
  EXPECT_EQ(seen.ended[3].second.status, Status::Completed);
  EXPECT_EQ(seen.lastPercent(0), 100);
  EXPECT_EQ(seen.percents.count(1), 0u);  // an unchecked row is never started
  EXPECT_FALSE(std::filesystem::exists(output / "skipped.mp3"));
  EXPECT_TRUE(std::filesystem::exists(output / "last.mp3"));
}

TEST_F(WorkerProtocol, PercentRisesToCompletion) {
  ConversionEngine engine;
  BatchRecorder recorder;
  engine.Start(JobFor({AddFile("long.m4a", 30.0)}, output.path().string()), recorder);
  engine.Wait();
  const std::vector<int> seen = recorder.seen().percents[0];
  // Each value differs from the one before and none falls back; the last is the trailer's 100.
  ASSERT_GE(seen.size(), 3u);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
  EXPECT_EQ(seen.back(), 100);
}

// Two row threads: a stop ends both running rows with shorter, valid files and starts no other.
TEST_F(WorkerProtocol, StopEndsEveryRunningRowShorterAndStartsNoOther) {
  ConversionEngine engine;
  engine.setRowWorkers(2);
  const std::vector<TaskRow> rows{AddFile("first.m4a", 60.0), AddFile("second.m4a", 60.0),
                                  AddFile("third.m4a")};
  BatchRecorder recorder;
  engine.Start(JobFor(rows, output.path().string()), recorder);
  recorder.WaitFor([](const BatchRecorder::Seen& seen) {
    return seen.lastPercent(0) >= 5 && seen.lastPercent(1) >= 5;
  });
  engine.Stop();
  engine.Wait();

  const std::vector<RowOutcome> outcomes = recorder.outcomes();
  ASSERT_EQ(outcomes.size(), 3u);
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(outcomes[row].status, Status::Stopped);
    const auto stopped = testing::Inspect(outcomes[row].outputPath);
    EXPECT_GT(stopped.decodedSamples, 44100);
    EXPECT_LT(stopped.decodedSamples, 55 * 44100);
    EXPECT_EQ(stopped.decodeErrors, 0);
    EXPECT_NEAR(outcomes[row].secondsWritten, stopped.decodedSamples / 44100.0, 0.1);
  }
  EXPECT_EQ(outcomes[2].status, Status::NotStarted);
  EXPECT_TRUE(recorder.seen().batch->stopped);
  EXPECT_FALSE(std::filesystem::exists(output / "third.mp3"));
}

// Watches the names in the output folder while the first, long row converts.
class NamingWatch : public BatchRecorder {
 public:
  NamingWatch(std::filesystem::path firstName, std::filesystem::path namesakeName,
              std::filesystem::path lastName)
      : first_(std::move(firstName)),
        namesake_(std::move(namesakeName)),
        last_(std::move(lastName)) {}

  void RowPercent(int row, int percent) override {
    // Called on the first row's own thread: it is converting, so its name is not taken yet.
    if (row == 0 && percent < 100) {
      if (std::filesystem::exists(namesake_) && !std::filesystem::exists(first_))
        namesakeFirst = true;
      if (std::filesystem::exists(last_)) laterRowNamedFirst = true;
    }
    BatchRecorder::RowPercent(row, percent);
  }

  std::atomic<bool> namesakeFirst{false};
  std::atomic<bool> laterRowNamedFirst{false};

 private:
  std::filesystem::path first_, namesake_, last_;
};

// A long first row and short later ones on two row threads: the short rows end first, yet the
// outcomes come in row order, the collision names come out in row order (the first row's
// song.mp3 although its namesake finished long before) while an output no earlier row competes
// with is named at once, and a row that fails among them keeps its own reason. Twice, so the
// second batch meets the first's files.
TEST_F(WorkerProtocol, RowsThatEndOutOfOrderAreFinalAndNamedInRowOrder) {
  std::filesystem::create_directory(sources / "other");
  ConversionEngine engine;
  engine.setRowWorkers(2);
  TaskRow vanished = AddFile("vanished.m4a");
  std::filesystem::remove(vanished.sourcePath);
  const std::vector<TaskRow> rows{AddFile("song.m4a", 20.0), AddFile("other/song.m4a"), vanished,
                                  AddFile("last.m4a")};
  const std::vector<std::array<std::string, 3>> names{
      {"song.mp3", "song(0).mp3", "last.mp3"}, {"song(1).mp3", "song(2).mp3", "last(0).mp3"}};
  for (const auto& [firstName, namesakeName, lastName] : names) {
    NamingWatch watch(output / firstName, output / namesakeName, output / lastName);
    engine.Start(JobFor(rows, output.path().string()), watch);
    engine.Wait();
    EXPECT_FALSE(watch.namesakeFirst) << "the later namesake took a name before the first row";
    EXPECT_TRUE(watch.laterRowNamedFirst);
    const BatchRecorder::Seen seen = watch.seen();
    ASSERT_EQ(seen.ended.size(), 4u);
    for (int row = 0; row < 4; ++row) EXPECT_EQ(seen.ended[row].first, row);
    const std::vector<RowOutcome> outcomes = watch.outcomes();
    EXPECT_EQ(outcomes[0].status, Status::Completed);
    EXPECT_EQ(outcomes[1].status, Status::Completed);
    EXPECT_EQ(outcomes[2].status, Status::Failed);
    EXPECT_EQ(outcomes[2].reason, "cannot open source: No such file or directory");
    EXPECT_EQ(outcomes[3].status, Status::Completed);
    EXPECT_EQ(std::filesystem::path(outcomes[0].outputPath).filename(), firstName);
    EXPECT_EQ(std::filesystem::path(outcomes[1].outputPath).filename(), namesakeName);
    EXPECT_EQ(std::filesystem::path(outcomes[3].outputPath).filename(), lastName);
    EXPECT_NEAR(testing::Inspect(outcomes[0].outputPath).decodedSamples, 20 * 44100, 4096);
    EXPECT_NEAR(testing::Inspect(outcomes[1].outputPath).decodedSamples, 2 * 44100, 4096);
  }
}

TEST_F(WorkerProtocol, AnEngineIsReusedForTheNextBatch) {
  ConversionEngine engine;
  const TaskRow row = AddFile("again.m4a");
  for (int batch = 0; batch < 3; ++batch) {
    const auto outcome = RunBatch(engine, {row}, output.path().string()).front();
    EXPECT_EQ(outcome.status, Status::Completed) << outcome.reason;
  }
  EXPECT_TRUE(std::filesystem::exists(output / "again(1).mp3"));
}

TEST_F(WorkerProtocol, SeveralEnginesConvertAtOnce) {
  constexpr int kEngines = 4;
  std::array<BatchRecorder, kEngines> recorders;  // outlive the engines that call them
  std::array<ConversionEngine, kEngines> engines;
  for (int i = 0; i < kEngines; ++i) {
    ConversionOptions options;
    options.profileItem = i % 2;
    const TaskRow row = AddFile("parallel" + std::to_string(i) + ".m4a", 5.0);
    engines[i].Start(JobFor({row}, output.path().string(), options), recorders[i]);
  }
  for (auto& engine : engines) engine.Wait();
  for (int i = 0; i < kEngines; ++i) {
    const RowOutcome outcome = recorders[i].outcomes().at(0);
    EXPECT_EQ(outcome.status, Status::Completed) << outcome.reason;
    EXPECT_NEAR(testing::Inspect(outcome.outputPath).decodedSamples, 5 * 44100, 4096);
  }
}

TEST_F(WorkerProtocol, DestroyingABusyEngineStopsAndJoinsItsWorker) {
  BatchRecorder recorder;
  auto engine = std::make_unique<ConversionEngine>();
  engine->Start(JobFor({AddFile("busy.m4a", 60.0)}, output.path().string()), recorder);
  recorder.WaitFor([](const BatchRecorder::Seen& seen) { return seen.lastPercent(0) >= 1; });
  engine.reset();
  EXPECT_TRUE(recorder.seen().batch.has_value());
  EXPECT_GT(testing::Inspect(output / "busy.mp3").decodedSamples, 0);
}

}  // namespace
}  // namespace varnell

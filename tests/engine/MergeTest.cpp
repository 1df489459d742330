// Merging rows into one file: one encoder for the whole output, each row's clip exact, joins
// that cannot be heard, and the row protocol as the progress window and the completion scan
// read it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <thread>

#include "Conversion.h"
#include "EngineRuns.h"
#include "Media.h"
#include "Mp4Boxes.h"
#include "TempFolder.h"
#include "testmedia/StrongestFrequency.h"

namespace varnell {
namespace {

namespace fs = std::filesystem;
using testing::AddedRow;
using testing::ConversionOptions;
using testing::Inspect;
using testing::RunMerge;
using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;

constexpr int kRate = 44100;

class Merge : public ::testing::Test {
 protected:
  TaskRow AddFile(const std::string& name, double seconds, const std::string& start = "00:00:00",
                  std::optional<std::string> end = std::nullopt, int rate = kRate, int channels = 2,
                  double frequency = 440.0) {
    auto spec = Tone(sources / name, seconds, rate, channels);
    spec.frequencyHz = frequency;
    WriteSample(spec);
    ConversionOptions clip;
    clip.start = start;
    clip.end = std::move(end);
    return AddedRow(sources / name, clip);
  }
  TaskRow AddTextFile(const std::string& name) {
    std::ofstream(sources / name) << "not audio at all";
    return AddedRow(sources / name);
  }

  ConversionEngine engine;
  TempFolder sources;
  TempFolder output;
};

double FrequencyBetween(const testmedia::MediaReport& report, long long from, long long to,
                        int channel = 0) {
  const long long margin = (to - from) / 4;
  return testmedia::StrongestFrequencyHz(report.samples[channel].data() + from + margin,
                                         static_cast<std::size_t>(to - from - 2 * margin),
                                         report.sampleRate);
}

// 22.05 kHz mono, 44.1 kHz stereo and 48 kHz 5.1, two of them clipped: each row comes out for
// exactly its clip, in row order, with one LAME header for the whole MP3 (a file decoded without
// it would be 1105 samples longer; an encoder reopened per row adds its delay at every join).
TEST_F(Merge, MixedLayoutsAndClipsComeOutWholeAndInRowOrder) {
  const std::vector<TaskRow> rows{
      AddFile("mono.m4a", 3.0, "00:00:00", std::nullopt, 22050, 1, 300.0),
      AddFile("stereo.m4a", 5.0, "00:00:01", "00:00:03", 44100, 2, 500.0),
      AddFile("surround.m4a", 4.0, "00:00:01", "00:00:03", 48000, 6, 700.0)};
  const long long ends[] = {3 * kRate, 5 * kRate, 7 * kRate};
  struct Target {
    int profileItem;
    long long tolerancePerRow;
    const char* codec;
  };
  for (const Target target : {Target{0, kRate / 1000, "mp3"}, Target{1, 2048, "wmav2"}}) {
    SCOPED_TRACE(target.codec);
    ConversionOptions options;
    options.profileItem = target.profileItem;
    const auto merged = RunMerge(engine, rows, output.path().string(), options);
    for (const auto& row : merged.rows)
      EXPECT_EQ(row.status, RowOutcome::Status::Completed) << row.reason;
    ASSERT_EQ(fs::path(merged.outputPath).parent_path(), output.path());
    EXPECT_EQ(fs::path(merged.outputPath).stem(), "mono");
    const auto report = Inspect(merged.outputPath);
    EXPECT_EQ(report.streams.at(0).codec, target.codec);
    EXPECT_EQ(report.decodeErrors, 0);
    EXPECT_NEAR(report.decodedSamples, ends[2], 3 * target.tolerancePerRow);
    EXPECT_NEAR(FrequencyBetween(report, 0, ends[0]), 300.0, 3.0);
    EXPECT_NEAR(FrequencyBetween(report, ends[0], ends[1]), 500.0, 3.0);
    EXPECT_NEAR(FrequencyBetween(report, ends[1], ends[2]), 700.0, 3.0);
  }
}

// Two files that hold one continuous tone (440 Hz and, on the right, 880 Hz: whole cycles in
// 3 s), the first at 48 kHz so that its resampler holds samples back until it is drained,
// merged: at the join there is no gap (a run of near-silence) and no click (a step clearly
// larger than the tone's own; the two lossy codecs leave a few percent), and the tone sounds on
// both sides.
TEST_F(Merge, AJoinBetweenFilesOfOneToneCannotBeHeard) {
  const auto merged = RunMerge(
      engine,
      {AddFile("part1.m4a", 3.0, "00:00:00", std::nullopt, 48000), AddFile("part2.m4a", 3.0)},
      output.path().string());
  ASSERT_FALSE(merged.outputPath.empty()) << merged.failure;
  const auto report = Inspect(merged.outputPath);
  ASSERT_NEAR(report.decodedSamples, 6 * kRate, 2 * kRate / 1000);
  constexpr long long kJoin = 3 * kRate;
  constexpr long long kAround = kRate / 10;
  for (int channel = 0; channel < 2; ++channel) {
    SCOPED_TRACE(channel);
    const std::vector<float>& s = report.samples[channel];
    float ownStep = 0.0f;
    for (long long i = kRate / 2; i + 1 < kJoin - kAround; ++i) {
      ownStep = std::max(ownStep, std::fabs(s[i + 1] - s[i]));
    }
    long long quietRun = 0, longestQuietRun = 0;
    float largestStep = 0.0f, loudest = 0.0f;
    for (long long i = kJoin - kAround; i < kJoin + kAround; ++i) {
      quietRun = std::fabs(s[i]) < 0.02f ? quietRun + 1 : 0;
      longestQuietRun = std::max(longestQuietRun, quietRun);
      largestStep = std::max(largestStep, std::fabs(s[i + 1] - s[i]));
      loudest = std::max(loudest, std::fabs(s[i]));
    }
    EXPECT_LE(longestQuietRun, kRate / 1000);
    EXPECT_LE(largestStep, ownStep * 1.25f);
    EXPECT_GT(loudest, 0.4f);
    EXPECT_NEAR(FrequencyBetween(report, kJoin - kRate, kJoin, channel), 440.0 * (channel + 1),
                2.0);
    EXPECT_NEAR(FrequencyBetween(report, kJoin, kJoin + kRate, channel), 440.0 * (channel + 1),
                2.0);
  }
}

// The percent runs over the whole output: while the first of three equal rows is merged it
// stays within its third (a divisor of whole seconds would pass 40 here), it never falls back,
// and it reaches 100 only when the file is done.
TEST_F(Merge, PercentRunsOnceOverTheWholeOutput) {
  const std::vector<TaskRow> rows{AddFile("a.m4a", 2.6), AddFile("b.m4a", 2.6),
                                  AddFile("c.m4a", 2.6)};
  testing::BatchRecorder recorder;
  testing::StartMerge(engine, recorder, rows, output.path().string());
  engine.Wait();
  const testing::BatchRecorder::Seen seen = recorder.seen();
  std::vector<int> all;
  for (int row = 0; row < 3; ++row) {
    const std::vector<int>& percents = seen.percents.at(row);
    all.insert(all.end(), percents.begin(), percents.end());
    // 100 only once the file is done, after the last row.
    if (row < 2) {
      EXPECT_LT(*std::max_element(percents.begin(), percents.end()), 100);
    }
  }
  EXPECT_EQ(all.back(), 100);
  EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
  EXPECT_LE(*std::max_element(seen.percents.at(0).begin(), seen.percents.at(0).end()), 34);
  EXPECT_GE(all.size(), 10u);
  // The rows were passed one by one; their outcomes came only with the finished file.
  EXPECT_EQ(seen.passed, (std::vector<int>{0, 1, 2}));
  ASSERT_EQ(seen.ended.size(), 3u);
  for (const auto& [row, outcome] : seen.ended) EXPECT_EQ(outcome.outputPath, output / "a.mp3");
}

TEST_F(Merge, AFailingRowIsSkippedAndTheOutputIsNamedByTheFirstRowThatMerges) {
  const TaskRow first = AddFile("first.m4a", 2.0);
  const TaskRow text = AddTextFile("text.m4a");
  const TaskRow last = AddFile("last.m4a", 1.0);

  const auto middle = RunMerge(engine, {first, text, last}, output.path().string());
  EXPECT_EQ(middle.rows[0].status, RowOutcome::Status::Completed);
  EXPECT_EQ(middle.rows[1].status, RowOutcome::Status::Failed);
  EXPECT_EQ(middle.rows[1].reason, "cannot open source: Invalid data found when processing input");
  EXPECT_EQ(middle.rows[2].status, RowOutcome::Status::Completed);
  EXPECT_EQ(middle.outputPath, output / "first.mp3");
  EXPECT_NEAR(Inspect(middle.outputPath).decodedSamples, 3 * kRate, 2 * kRate / 1000);

  // A row that opens but has no sound in its clip does not name the output either.
  const TaskRow late = AddFile("late.m4a", 1.0, "00:00:05", "00:00:06");
  const auto leading = RunMerge(engine, {text, late, last, first}, output.path().string());
  EXPECT_EQ(leading.rows[0].status, RowOutcome::Status::Failed);
  EXPECT_EQ(leading.rows[1].reason,
            "nothing to convert: the clip starts after the end of the source");
  EXPECT_EQ(leading.outputPath, output / "last.mp3");
  EXPECT_FALSE(fs::exists(output / "late.mp3"));
  EXPECT_NEAR(Inspect(leading.outputPath).decodedSamples, 3 * kRate, 2 * kRate / 1000);

  TempFolder empty;
  TaskRow vanished = first;
  vanished.sourcePath = sources / "vanished.m4a";
  const auto none = RunMerge(engine, {text, vanished}, empty.path().string());
  EXPECT_EQ(none.rows[0].status, RowOutcome::Status::Failed);
  EXPECT_EQ(none.rows[1].status, RowOutcome::Status::Failed);
  EXPECT_EQ(none.outputPath, "");
  EXPECT_EQ(none.failure, "none of the files could be merged");
  EXPECT_TRUE(fs::is_empty(empty.path()));
}

// Between two good files, one whose index says 20 s but whose data ends near 7.8 s and one
// whose sample table lets a fraction of a second of its 10.5 s decode: both fail with their
// reason before adding any sound, so the merged file holds the good files alone.
TEST_F(Merge, TruncatedAndDamagedFilesFailWithoutAddingSound) {
  auto cut = Tone(sources / "cut.m4a", 20.0);
  cut.fastStart = true;
  WriteSample(cut);
  fs::resize_file(cut.path, fs::file_size(cut.path) * 39 / 100);
  const auto damaged = Tone(sources / "damaged.m4a", 10.5);
  WriteSample(damaged);
  testing::PatchBoxField(damaged.path, "stts", 12, 0);
  const std::vector<TaskRow> rows{AddFile("first.m4a", 2.0), AddedRow(cut.path),
                                  AddedRow(damaged.path), AddFile("last.m4a", 3.0)};

  const auto merged = RunMerge(engine, rows, output.path().string());
  EXPECT_EQ(merged.rows[0].status, RowOutcome::Status::Completed) << merged.rows[0].reason;
  EXPECT_EQ(merged.rows[1].status, RowOutcome::Status::Failed);
  EXPECT_THAT(merged.rows[1].reason,
              ::testing::MatchesRegex(
                  "source is truncated: its audio ends at [0-9]+\\.[0-9] s of 20\\.0 s"));
  EXPECT_EQ(merged.rows[2].status, RowOutcome::Status::Failed);
  EXPECT_THAT(merged.rows[2].reason,
              ::testing::MatchesRegex(
                  "source is damaged: it decodes to 0\\.[0-9] s of the 10\\.5 s it states"));
  EXPECT_EQ(merged.rows[3].status, RowOutcome::Status::Completed) << merged.rows[3].reason;
  ASSERT_EQ(merged.outputPath, output / "first.mp3");
  EXPECT_NEAR(Inspect(merged.outputPath).decodedSamples, 5 * kRate, 1152);
}

// A stop in the second of three rows ends that row where it was and finishes the file, which
// then plays to its end; the stopped row and the one after it stay pending.
TEST_F(Merge, AStopKeepsTheMergedPartAsAFinishedFile) {
  const std::vector<TaskRow> rows{AddFile("one.m4a", 2.0), AddFile("two.m4a", 60.0),
                                  AddFile("three.m4a", 2.0)};
  testing::BatchRecorder recorder;
  testing::StartMerge(engine, recorder, rows, output.path().string());
  recorder.WaitFor(
      [](const testing::BatchRecorder::Seen& seen) { return seen.lastPercent(1) >= 10; });
  engine.Stop();
  engine.Wait();

  const testing::MergeOutcome merged = testing::MergeOutcomeOf(recorder);
  EXPECT_EQ(merged.rows[0].status, RowOutcome::Status::Completed);
  EXPECT_EQ(merged.rows[1].status, RowOutcome::Status::Stopped);
  EXPECT_EQ(merged.rows[2].status, RowOutcome::Status::NotStarted);
  ASSERT_EQ(merged.outputPath, output / "one.mp3");
  EXPECT_EQ(merged.rows[1].outputPath, merged.outputPath);
  const auto report = Inspect(merged.outputPath);
  EXPECT_EQ(report.decodeErrors, 0);
  EXPECT_GT(report.decodedSamples, 3 * kRate);
  EXPECT_LT(report.decodedSamples, 60 * kRate);
  EXPECT_NEAR(merged.rows[1].secondsWritten * kRate, report.decodedSamples, kRate / 1000);
  EXPECT_EQ(fs::directory_iterator(output.path())->path(), merged.outputPath);
}

}  // namespace
}  // namespace varnell

// An output exists under its final name only once it is complete: it is written into a hidden
// temporary file through the descriptor of its exclusive creation, and published without
// replacing anything. No final name is ever opened, so nothing planted there is followed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "Conversion.h"
#include "EngineRuns.h"
#include "FileSizeLimit.h"
#include "Media.h"
#include "PartialFiles.h"
#include "Process.h"
#include "TempFolder.h"
#include "engine/BatchProgress.h"
#include "engine/CodecNames.h"
#include "engine/FileConversion.h"
#include "engine/RowBoundary.h"

namespace varnell {
namespace {

namespace fs = std::filesystem;
using testing::AddedRow;
using testing::FileSizeLimit;
using testing::PartialBytesOf;
using testing::PartialFilesOf;
using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;

std::vector<std::string> NamesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

class OutputPublishing : public ::testing::Test {
 protected:
  TempFolder sources;
  TempFolder output;
};

TEST_F(OutputPublishing, WhileConvertingOnlyAHiddenFileExistsAndANameTakenMeanwhileIsLeftAlone) {
  WriteSample(Tone(sources / "song.m4a", 60.0));
  const std::string victim = sources / "victim.txt";
  std::ofstream(victim) << "precious";
  ConversionEngine engine;
  testing::BatchRecorder recorder;
  engine.Start(testing::JobFor({AddedRow(sources / "song.m4a")}, output.path().string()), recorder);
  const std::string finalName = output / "song.mp3";
  recorder.WaitFor(
      [](const testing::BatchRecorder::Seen& seen) { return seen.lastPercent(0) >= 5; });

  EXPECT_FALSE(fs::exists(fs::symlink_status(finalName)));
  const auto partials = PartialFilesOf(finalName);
  ASSERT_EQ(partials.size(), 1u);
  EXPECT_EQ(NamesIn(output.path()), std::vector<std::string>{partials[0].filename()});
  // Another program takes the final name with a symlink to someone else's file.
  fs::create_symlink(victim, finalName);
  engine.Stop();
  engine.Wait();

  // A stopped row is published like a finished one, under the next free name.
  const RowOutcome outcome = recorder.outcomes().at(0);
  EXPECT_EQ(outcome.status, RowOutcome::Status::Stopped);
  EXPECT_EQ(outcome.outputPath, output / "song(0).mp3");
  EXPECT_EQ(NamesIn(output.path()), (std::vector<std::string>{"song(0).mp3", "song.mp3"}));
  EXPECT_TRUE(fs::is_symlink(finalName));
  std::string victimText;
  std::getline(std::ifstream(victim), victimText);
  EXPECT_EQ(victimText, "precious");
  const auto stopped = testing::Inspect(outcome.outputPath);
  EXPECT_GT(stopped.decodedSamples, 0);
  EXPECT_EQ(stopped.decodeErrors, 0);
}

TEST_F(OutputPublishing, AFailedWriteLeavesNeitherTheFinalNameNorTheHiddenFile) {
  WriteSample(Tone(sources / "long.m4a", 30.0));
  RowOutcome outcome;
  {
    const FileSizeLimit limit(64 * 1024);
    outcome = testing::ConvertOne(sources / "long.m4a", output.path().string());
  }
  EXPECT_EQ(outcome.status, RowOutcome::Status::Failed);
  EXPECT_EQ(outcome.reason, "cannot write output: File too large");
  EXPECT_TRUE(fs::is_empty(output.path()));
}

// Files converted beside the one over the limit finish and are published; only that one fails.
TEST_F(OutputPublishing, AFileOverTheSizeLimitFailsAloneInAParallelBatch) {
  WriteSample(Tone(sources / "tone.m4a", 1.0));
  WriteSample(Tone(sources / "long.m4a", 30.0));
  ConversionEngine engine;
  engine.setRowWorkers(2);
  const std::vector<TaskRow> rows{AddedRow(sources / "tone.m4a"), AddedRow(sources / "long.m4a"),
                                  AddedRow(sources / "tone.m4a")};
  std::vector<RowOutcome> outcomes;
  {
    const FileSizeLimit limit(100 * 1024);
    outcomes = testing::RunBatch(engine, rows, output.path().string());
  }
  EXPECT_EQ(outcomes[0].status, RowOutcome::Status::Completed);
  EXPECT_EQ(outcomes[1].status, RowOutcome::Status::Failed);
  EXPECT_EQ(outcomes[1].reason, "cannot write output: File too large");
  EXPECT_EQ(outcomes[2].status, RowOutcome::Status::Completed);
  EXPECT_EQ(NamesIn(output.path()), (std::vector<std::string>{"tone(0).mp3", "tone.mp3"}));
  EXPECT_NEAR(testing::Inspect(output / "tone(0).mp3").decodedSamples, 44100, 44);
}

// Named by a pattern into folders the workers make (a title too long for a file name cut to fit,
// with room for "(N)"), then run again skipping what exists: every row is passed over as
// finished, its output left as it was. Rows of one batch that plan one
// name are still numbered, as only what existed before the batch is skipped; a merge whose
// output exists is skipped whole.
TEST_F(OutputPublishing, SkippingWhatExistsPassesOverEarlierOutputsOnly) {
  WriteSample(Tone(sources / "tone.m4a", 1.0));
  auto tagged = Tone(sources / "tagged.m4a", 1.0);
  std::string title;
  while (title.size() < 400) title += "Grüße ";
  tagged.containerTags = {{"artist", "AC/DC"}, {"title", title}};
  WriteSample(tagged);
  const std::vector<TaskRow> rows{AddedRow(sources / "tone.m4a"), AddedRow(sources / "tone.m4a"),
                                  AddedRow(sources / "tagged.m4a")};
  testing::ConversionOptions options;
  options.namePattern = "{artist}/{title}";
  options.skipExisting = true;
  ConversionEngine engine;
  engine.setRowWorkers(2);
  const std::vector<RowOutcome> first =
      testing::RunBatch(engine, rows, output.path().string(), options);
  EXPECT_EQ(first[0].outputPath, output / "tone/tone.mp3");
  EXPECT_EQ(first[1].outputPath, output / "tone/tone(0).mp3");
  const fs::path longName = first[2].outputPath;
  EXPECT_EQ(longName.parent_path(), output / "AC_DC");
  EXPECT_GT(longName.filename().string().size(), 200u);
  EXPECT_LE(longName.filename().string().size() + std::string("(99999)").size(), 254u);
  EXPECT_EQ(NamesIn(output / "AC_DC"), std::vector<std::string>{longName.filename()});
  const auto written = fs::last_write_time(longName);

  BatchProgress progress;
  engine.Start(testing::JobFor(rows, output.path().string(), options), progress);
  BatchProgress::Look look;
  std::vector<std::pair<int, RowOutcome>> ended;
  do {
    look = progress.WaitForChange(std::chrono::seconds(1));
    ended.insert(ended.end(), look.ended.begin(), look.ended.end());
  } while (!look.batchEnded);
  engine.Wait();
  EXPECT_EQ(look.endedRows, 3);
  ASSERT_EQ(ended.size(), 3u);
  for (const auto& [row, outcome] : ended) {
    EXPECT_EQ(outcome.status, RowOutcome::Status::Skipped) << row;
    EXPECT_EQ(outcome.outputPath, first[row == 1 ? 0 : row].outputPath) << row;
  }
  EXPECT_EQ(NamesIn(output / "tone"), (std::vector<std::string>{"tone(0).mp3", "tone.mp3"}));
  EXPECT_EQ(fs::last_write_time(longName), written);

  const auto merged =
      testing::RunMerge(engine, {rows[2], rows[0]}, output.path().string(), options);
  EXPECT_EQ(merged.outputPath, longName);
  for (const RowOutcome& row : merged.rows) EXPECT_EQ(row.status, RowOutcome::Status::Skipped);
  EXPECT_EQ(NamesIn(output / "AC_DC"), std::vector<std::string>{longName.filename()});
  EXPECT_EQ(fs::last_write_time(longName), written);
}

// A merge whose output cannot be written fails the row it is on and every later one with that
// reason, and leaves no file: the rows merged before it do not make a finished-looking file.
TEST_F(OutputPublishing, AMergeWhoseOutputFailsLeavesNoFile) {
  WriteSample(Tone(sources / "short.m4a", 2.0));
  WriteSample(Tone(sources / "long.m4a", 30.0));
  ConversionEngine engine;
  const std::vector<TaskRow> rows{AddedRow(sources / "short.m4a"), AddedRow(sources / "long.m4a"),
                                  AddedRow(sources / "short.m4a")};
  testing::BatchRecorder recorder;
  {
    const FileSizeLimit limit(64 * 1024);
    testing::StartMerge(engine, recorder, rows, output.path().string());
    engine.Wait();
  }
  const testing::MergeOutcome merged = testing::MergeOutcomeOf(recorder);
  // The first row's sound went with the output: no row is told it is done, not even for a while.
  const testing::BatchRecorder::Seen seen = recorder.seen();
  EXPECT_EQ(seen.passed, std::vector<int>{0});
  ASSERT_EQ(seen.ended.size(), 3u);
  for (int row : {0, 1, 2}) {
    EXPECT_EQ(merged.rows[row].status, RowOutcome::Status::Failed);
    EXPECT_EQ(merged.rows[row].reason, "cannot write output: File too large");
  }
  EXPECT_EQ(merged.outputPath, "");
  EXPECT_EQ(merged.failure, "cannot write output: File too large");
  EXPECT_TRUE(fs::is_empty(output.path()));
}

// What a kill leaves, the next run in the folder clears: a hidden file nobody holds. Nothing else
// goes: not a temporary another run holds, nor a name merely like one, a symlink or a folder.
TEST_F(OutputPublishing, AKilledConverterLeavesAtMostTheHiddenFileWhichTheNextRunClears) {
  const char* program = std::getenv("VARNELL_CONVERT");
  ASSERT_NE(program, nullptr) << "VARNELL_CONVERT names the varnell-convert under test";
  WriteSample(Tone(sources / "long.m4a", 120.0));
  TempFolder logs;
  testing::Process converter(program,
                             {"--output-dir", output.path().string(), sources / "long.m4a"},
                             logs.path().string());
  const std::string finalName = output / "long.mp3";
  // Well into the file, whichever name it is being written under.
  testing::WaitUntilSeen([&] {
    std::error_code missing;
    const std::uintmax_t published = fs::file_size(finalName, missing);
    return PartialBytesOf(finalName) + (missing ? 0 : published) > 20000;
  });
  converter.Signal(SIGKILL);
  EXPECT_EQ(converter.Wait().exitCode, 128 + SIGKILL);

  EXPECT_FALSE(fs::exists(fs::symlink_status(finalName)));
  const auto partials = PartialFilesOf(finalName);
  ASSERT_EQ(partials.size(), 1u);
  EXPECT_EQ(NamesIn(output.path()), std::vector<std::string>{partials[0].filename()});

  // Another run's temporary, its lock held through a descriptor of its own.
  const std::string held = output / ".other.mp3.partial-Held01";
  const int heldFd = ::open(held.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  ASSERT_GE(heldFd, 0);
  ASSERT_EQ(::flock(heldFd, LOCK_EX), 0);
  std::vector<std::string> kept{".other.mp3.partial-Held01", ".long.mp3.partial-12345",
                                ".long.mp3.partial-1234567", "long.mp3.partial-ABCDEF",
                                ".long.mp3.partial-AB_DEF",  ".partial-ABCDEF",
                                ".link.mp3.partial-ABCDEF",  ".dir.mp3.partial-ABCDEF"};
  for (std::size_t i = 1; i < 6; ++i) std::ofstream(output / kept[i]) << "the user's own";
  const std::string victim = sources / "victim.txt";
  std::ofstream(victim) << "precious";
  fs::create_symlink(victim, output / kept[6]);
  fs::create_directory(output / kept[7]);
  WriteSample(Tone(sources / "short.m4a", 1.0));
  const auto next =
      testing::Run(program, {"--output-dir", output.path().string(), sources / "short.m4a"},
                   logs.path().string());
  EXPECT_EQ(next.exitCode, 0) << next.err;
  kept.push_back("short.mp3");
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(NamesIn(output.path()), kept);
  EXPECT_TRUE(fs::exists(victim));

  // The merge worker clears its folder alike.
  std::ofstream(output / ".merged.mp3.partial-Stale1") << "left by a killed merge";
  ConversionEngine engine;
  const auto merged =
      testing::RunMerge(engine, {AddedRow(sources / "short.m4a")}, output.path().string());
  EXPECT_EQ(merged.failure, "");
  EXPECT_FALSE(fs::exists(output / ".merged.mp3.partial-Stale1"));
  EXPECT_TRUE(fs::exists(held));
  ::close(heldFd);
}

// A finished output waiting for its name is published from where it was written or not at all.
// Its folder renamed away fails the row and leaves nothing in the moved folder; a symlink renamed
// over its hidden name (an inotify race helper) fails it too, and the link is neither published
// nor removed.
TEST_F(OutputPublishing, AWaitingOutputWhoseFolderOrHiddenNameMovedIsNotPublishedAndLeavesNothing) {
  WriteSample(Tone(sources / "song.m4a", 2.0));
  FileConversionRequest request;
  request.sourcePath = sources / "song.m4a";
  request.clipLength = kClipToTheEnd;
  request.audio = {Mp3CodecId(), 128000, 44100, 2};
  const std::atomic<bool> stop{false};
  std::atomic<int> percent{0};

  const fs::path folder = output.path() / "music";
  fs::create_directory(folder);
  request.outputPath = folder / "song.mp3";
  {
    CompletedOutput waiting = ConvertToCompletedOutput(request, stop, percent);
    fs::rename(folder, output.path() / "moved");
    EXPECT_EQ(FailureOf([&] { waiting.Publish(); }),
              "cannot publish output file " + request.outputPath + ": No such file or directory");
  }
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_TRUE(fs::is_empty(output.path() / "moved"));

  request.outputPath = output / "song.mp3";
  const std::string victim = sources / "victim.txt";
  std::ofstream(victim) << "precious";
  std::vector<fs::path> partials;
  {
    CompletedOutput waiting = ConvertToCompletedOutput(request, stop, percent);
    partials = PartialFilesOf(request.outputPath);
    ASSERT_EQ(partials.size(), 1u);
    fs::create_symlink(victim, output / "link");
    fs::rename(output / "link", partials[0]);
    EXPECT_EQ(FailureOf([&] { waiting.Publish(); }), "the temporary output was replaced");
  }
  EXPECT_FALSE(fs::exists(fs::symlink_status(request.outputPath)));
  EXPECT_TRUE(fs::is_symlink(partials[0]));
  std::string victimText;
  std::getline(std::ifstream(victim), victimText);
  EXPECT_EQ(victimText, "precious");
}

}  // namespace
}  // namespace varnell

// Files that cannot be converted end as failed rows with a reason and leave nothing behind;
// existing files are never touched.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "Conversion.h"
#include "Media.h"
#include "TempFolder.h"
#include "engine/ClaimedOutputFile.h"

namespace varnell {
namespace {

using testing::AddedRow;
using testing::ConversionOptions;
using testing::ConvertOne;
using testing::RunBatch;
using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::size_t FilesIn(const std::filesystem::path& folder) {
  return std::distance(std::filesystem::directory_iterator(folder), {});
}

class FailingConversion : public ::testing::Test {
 protected:
  TempFolder sources;
  TempFolder output;
};

TEST_F(FailingConversion, BadSourcesFailWithAReasonAndLeaveNoFile) {
  const std::string empty = sources / "empty.m4a";
  std::ofstream(empty).close();
  const std::string text = sources / "letter.m4a";
  std::ofstream(text) << "Dear Sir, this is not audio.\n";
  const auto cut = Tone(sources / "cut.m4a", 4.0);
  WriteSample(cut);
  std::filesystem::resize_file(cut.path, std::filesystem::file_size(cut.path) / 2);
  auto cutFast = Tone(sources / "cutfast.m4a", 8.0);
  cutFast.fastStart = true;
  WriteSample(cutFast);
  std::filesystem::resize_file(cutFast.path, std::filesystem::file_size(cutFast.path) / 2);

  struct Case {
    std::string path;
    std::string reasonStart;
  };
  const Case cases[] = {
      {empty, "cannot open source"},
      {text, "cannot open source"},
      {cut.path, "cannot open source"},
      {cutFast.path, "source is truncated"},
      {sources / "missing.m4a", "cannot open source: No such file or directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const auto outcome = ConvertOne(c.path, output.path().string());
    EXPECT_EQ(outcome.status, RowOutcome::Status::Failed);
    EXPECT_EQ(outcome.reason.rfind(c.reasonStart, 0), 0u) << outcome.reason;
    // Truncation is told in tenths of a second, so that 3.9 s of 8 s does not read "3 s of 8 s".
    if (c.path == cutFast.path) {
      EXPECT_THAT(outcome.reason, ::testing::MatchesRegex(".*ends at [0-9]+\\.[0-9] s of 8\\.0 s"));
    }
  }
  EXPECT_EQ(FilesIn(output.path()), 0u);
}

TEST_F(FailingConversion, TargetsTheEncodersRefuseAreReadableFailures) {
  const auto spec = Tone(sources / "tone.m4a");
  WriteSample(spec);
  struct Case {
    ConversionOptions options;
    std::string reason;
  };
  std::vector<Case> cases(5);
  cases[0].options.audioCodecName = "APE";
  cases[0].reason = "no encoder for audio codec ape";
  cases[1].options.profileItem = 1;
  cases[1].options.audioBitRate = 16000;
  cases[1].reason = "WMA encoder: bit rate too low";
  cases[2].options.sampleRate = 96000;
  cases[2].reason = "MP3 encoder: sample rate 96000 Hz not supported";
  cases[3].options.channels = 6;
  cases[3].reason = "MP3 encoder: 6 channels not supported";
  // The probe of the AAC source wrote the same field: that codec must not become the target.
  cases[4].options.audioCodecName = "SPEEX";
  cases[4].reason = "unknown audio codec \"SPEEX\"";
  for (const Case& c : cases) {
    const auto outcome = ConvertOne(spec.path, output.path().string(), c.options);
    EXPECT_EQ(outcome.status, RowOutcome::Status::Failed);
    EXPECT_EQ(outcome.reason, c.reason);
  }
  EXPECT_EQ(FilesIn(output.path()), 0u);
}

// An MP3 without a single frame is no file a player opens: such clips fail instead.
TEST_F(FailingConversion, EmptyClipsAreFailuresNotEmptySuccesses) {
  const auto spec = Tone(sources / "short.m4a", 3.0);
  WriteSample(spec);
  const std::pair<const char*, const char*> clips[] = {
      {"00:00:10", "00:00:20"}, {"00:00:01", "00:00:01"}, {"00:00:02", "00:00:01"}};
  const char* reasons[] = {"nothing to convert: the clip starts after the end of the source",
                           "nothing to convert: the clip ends where it starts",
                           "nothing to convert: the clip ends where it starts"};
  for (int i = 0; i < 3; ++i) {
    ConversionOptions options;
    options.start = clips[i].first;
    options.end = clips[i].second;
    const auto outcome = ConvertOne(spec.path, output.path().string(), options);
    EXPECT_EQ(outcome.status, RowOutcome::Status::Failed);
    EXPECT_EQ(outcome.reason, reasons[i]);
  }
  EXPECT_EQ(FilesIn(output.path()), 0u);
}

TEST_F(FailingConversion, ExistingFilesAreNeverOverwritten) {
  const auto spec = Tone(sources / "song.m4a");
  WriteSample(spec);
  const std::string taken = output / "song.mp3";
  const std::string takenToo = output / "song(0).mp3";
  std::ofstream(taken) << "precious";
  std::ofstream(takenToo) << "also precious";

  const auto outcome = ConvertOne(spec.path, output.path().string());
  ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
  EXPECT_EQ(outcome.outputPath, output / "song(1).mp3");
  EXPECT_EQ(ReadAll(taken), "precious");
  EXPECT_EQ(ReadAll(takenToo), "also precious");
  EXPECT_GT(testing::Inspect(outcome.outputPath).decodedSamples, 0);
}

TEST_F(FailingConversion, RacingClaimsOfOneNameAllGetTheirOwnFile) {
  const std::string name = output / "race.mp3";
  std::vector<std::string> claimed(8);
  {
    std::vector<std::thread> threads;
    std::vector<std::unique_ptr<ClaimedOutputFile>> claims(claimed.size());
    for (std::size_t i = 0; i < claimed.size(); ++i) {
      threads.emplace_back([&, i] {
        claims[i] = std::make_unique<ClaimedOutputFile>(name);
        claims[i]->Publish();
        claimed[i] = claims[i]->path();
      });
    }
    for (auto& thread : threads) thread.join();
  }
  std::sort(claimed.begin(), claimed.end());
  EXPECT_EQ(std::unique(claimed.begin(), claimed.end()), claimed.end());
  EXPECT_EQ(FilesIn(output.path()), claimed.size());
}

TEST_F(FailingConversion, AnUnfinishedClaimRemovesItsFile) {
  {
    ClaimedOutputFile claim(output / "partial.mp3");
    EXPECT_TRUE(std::filesystem::exists(claim.temporaryPath()));
    EXPECT_FALSE(std::filesystem::exists(output / "partial.mp3"));
  }
  EXPECT_EQ(FilesIn(output.path()), 0u);
}

TEST_F(FailingConversion, AnOutputFolderThatGoesAwayFailsTheRestAndKeepsWhatWasWritten) {
  ConversionEngine engine;
  std::vector<TaskRow> rows;
  for (const char* name : {"one.m4a", "two.m4a"}) {
    WriteSample(Tone(sources / name));
    rows.push_back(AddedRow(sources / name));
  }
  const std::string folder = output / "music";
  std::filesystem::create_directory(folder);
  const auto first = RunBatch(engine, {rows[0]}, folder).front();
  ASSERT_EQ(first.status, RowOutcome::Status::Completed);
  const std::string kept = output / "kept.mp3";
  std::filesystem::rename(first.outputPath, kept);
  std::filesystem::remove(folder);
  const auto second = RunBatch(engine, {rows[1]}, folder).front();
  EXPECT_EQ(second.status, RowOutcome::Status::Failed);
  EXPECT_NE(second.reason.find("No such file or directory"), std::string::npos) << second.reason;
  EXPECT_GT(testing::Inspect(kept).decodedSamples, 0);
}

TEST_F(FailingConversion, AReadOnlyOutputFolderFailsWithAReason) {
  ConversionEngine engine;
  WriteSample(Tone(sources / "one.m4a"));
  const TaskRow row = AddedRow(sources / "one.m4a");
  const std::string folder = output.path().string();
  ASSERT_EQ(::chmod(folder.c_str(), 0500), 0);
  if (::access(folder.c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights that ignore modes";
  const auto outcome = RunBatch(engine, {row}, folder).front();
  EXPECT_EQ(outcome.status, RowOutcome::Status::Failed);
  EXPECT_NE(outcome.reason.find("Permission denied"), std::string::npos) << outcome.reason;
}

}  // namespace
}  // namespace varnell

// An audiobook's chapters in every output form that has them, as FFmpeg's readers list them
// again: kept from the source (cut to a clip), made by a merge, and a split row's own tags.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "Conversion.h"
#include "EngineRuns.h"
#include "Media.h"
#include "TempFolder.h"

namespace varnell {
namespace {

using testing::AddedRow;
using testing::ConversionOptions;
using testing::Inspect;
using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;

struct Expected {
  long long start, end;  // ms
  std::string title;
};

const std::string kSecondTitle = "Zweites Kapitel — Ärger im Café";

testmedia::SampleSpec Audiobook(const std::string& path) {
  auto spec = Tone(path, 20.0);
  spec.containerTags = {{"title", "Das Buch"}};
  spec.chapters = {{0.0, 5.0, "Prologue"},
                   {5.0, 9.125, kSecondTitle},
                   {9.125, 14.5, "Three"},
                   {14.5, 20.0, "Vier"}};
  return spec;
}

// The last chapter ends where the file's sound does, which the formats state a little apart
// (an Ogg chapter has no end of its own); the others are exact to the millisecond.
void ExpectChapters(const testmedia::MediaReport& report, const std::vector<Expected>& expected) {
  ASSERT_EQ(report.chapters.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(report.chapters[i].startMilliseconds, expected[i].start);
    if (i + 1 < expected.size()) {
      EXPECT_EQ(report.chapters[i].endMilliseconds, expected[i].end);
    } else {
      EXPECT_NEAR(report.chapters[i].endMilliseconds, expected[i].end, 30);
    }
    EXPECT_EQ(report.chapters[i].title, expected[i].title);
  }
}

unsigned long long GaplessLength(const testmedia::MediaReport& report) {
  if (report.tags.count("iTunSMPB") == 0) return 0;
  unsigned priming = 0, padding = 0;
  unsigned long long length = 0;
  std::sscanf(report.tags.at("iTunSMPB").c_str(), " 00000000 %x %x %llx", &priming, &padding,
              &length);
  return length;
}

TEST(Chapters, EveryChapterFormKeepsTheSourcesChaptersAndAClipTheOnesInsideIt) {
  TempFolder folder;
  const auto spec = Audiobook(folder / "book.m4b");
  WriteSample(spec);
  const std::vector<Expected> whole{{0, 5000, "Prologue"},
                                    {5000, 9125, kSecondTitle},
                                    {9125, 14500, "Three"},
                                    {14500, 20000, "Vier"}};

  for (const char* extension : {".mp3", ".m4a", ".m4b", ".ogg", ".opus", ".flac"}) {
    SCOPED_TRACE(extension);
    ConversionOptions options;
    options.extension = extension;
    const auto outcome = testing::ConvertOne(spec.path, folder.path().string(), options);
    ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
    const auto report = Inspect(outcome.outputPath);
    EXPECT_EQ(report.decodeErrors, 0);
    if (std::string(extension) == ".flac") {
      EXPECT_TRUE(report.chapters.empty());  // no chapter form: converted as before
      continue;
    }
    ExpectChapters(report, whole);
    if (std::string(extension) == ".m4b") {
      // The chapter track leaves the audio's length and its gapless tag as they were.
      EXPECT_EQ(GaplessLength(report), 20u * 44100u);
      EXPECT_EQ(report.claimedSamples, 20 * 44100);
    }
  }

  // Seconds 7 to 16: the prologue is outside, the second and last chapters are cut.
  for (const char* extension : {".mp3", ".m4a", ".ogg"}) {
    SCOPED_TRACE(extension);
    ConversionOptions options;
    options.extension = extension;
    options.start = "00:00:07";
    options.end = "00:00:16";
    const auto clip = testing::ConvertOne(spec.path, folder.path().string(), options);
    ASSERT_EQ(clip.status, RowOutcome::Status::Completed) << clip.reason;
    ExpectChapters(Inspect(clip.outputPath),
                   {{0, 2125, kSecondTitle}, {2125, 7500, "Three"}, {7500, 9000, "Vier"}});
  }

  // A row split from the second chapter: titled and numbered by it, its one chapter inside.
  ConversionOptions mp3;
  mp3.extension = ".mp3";
  TaskRow split = AddedRow(spec.path, mp3);
  split.exactBeginSeconds = 5.0;
  split.exactEndSeconds = 9.125;
  split.chapterTitle = kSecondTitle;
  split.chapterNumber = 2;
  ConversionEngine engine;
  const auto outcomes = testing::RunBatch(engine, {split}, folder.path().string(), mp3);
  ASSERT_EQ(outcomes.front().status, RowOutcome::Status::Completed) << outcomes.front().reason;
  const auto report = Inspect(outcomes.front().outputPath);
  EXPECT_EQ(report.tags.count("title") ? report.tags.at("title") : "", kSecondTitle);
  EXPECT_EQ(report.tags.count("track") ? report.tags.at("track") : "", "2");
  ExpectChapters(report, {{0, 4125, kSecondTitle}});
}

// Each part is a chapter from its first sample on, titled by its title tag or its file's name;
// a part's own chapters give way to them.
TEST(Chapters, AMergeHasAChapterForEachPartWhereItsSoundStarts) {
  TempFolder folder;
  auto first = Tone(folder / "one.m4a", 2.5);
  first.containerTags = {{"title", "Teil Eins — Anfang"}};
  WriteSample(first);
  const auto second = Tone(folder / "part two.m4a", 1.75);
  WriteSample(second);
  auto third = Audiobook(folder / "three.m4b");
  third.seconds = 3.0;
  third.chapters = {{0.0, 1.0, "Inner"}, {1.0, 3.0, "Inner too"}};
  third.containerTags = {{"title", "Drei"}};
  WriteSample(third);

  const std::vector<TaskRow> rows{AddedRow(first.path), AddedRow(second.path),
                                  AddedRow(third.path)};
  const auto mergeInto = [&](const char* extension) {
    ConversionOptions options;
    options.extension = extension;
    ConversionEngine engine;
    const auto merged = testing::RunMerge(engine, rows, folder.path().string(), options);
    EXPECT_FALSE(merged.outputPath.empty()) << merged.failure;
    auto report = merged.outputPath.empty() ? testmedia::MediaReport{} : Inspect(merged.outputPath);
    EXPECT_EQ(report.decodeErrors, 0);
    return std::make_pair(merged.rows, report);
  };
  for (const char* extension : {".mp3", ".m4b", ".ogg", ".opus"}) {
    SCOPED_TRACE(extension);
    const auto [rowOutcomes, report] = mergeInto(extension);
    const char* titleKey = report.tags.count("TITLE") ? "TITLE" : "title";  // Vorbis comments
    EXPECT_EQ(report.tags.count(titleKey) ? report.tags.at(titleKey) : "", "Teil Eins — Anfang");
    ExpectChapters(
        report, {{0, 2500, "Teil Eins — Anfang"}, {2500, 4250, "part two"}, {4250, 7250, "Drei"}});
  }

  // A part gone by the time the merge reaches it gets no chapter; the Ogg header's room planned
  // for it is left to the readers to skip.
  std::filesystem::remove(second.path);
  for (const char* extension : {".mp3", ".ogg"}) {
    SCOPED_TRACE(extension);
    const auto [rowOutcomes, report] = mergeInto(extension);
    EXPECT_EQ(rowOutcomes.at(1).status, RowOutcome::Status::Failed);
    ExpectChapters(report, {{0, 2500, "Teil Eins — Anfang"}, {2500, 5500, "Drei"}});
  }
}

}  // namespace
}  // namespace varnell

// Merging video sources into one video file through the merge worker: one video stream whose
// timestamps run on across the joins, each source scaled from its own size, pictures in step with
// the sound.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BatchRecorder.h"
#include "Conversion.h"
#include "Media.h"
#include "TempFolder.h"
#include "VideoChain.h"
#include "engine/ConversionEngine.h"
#include "engine/ConversionJob.h"

namespace varnell {
namespace {

using testing::Pattern;
using testing::TempFolder;
using testing::WritePattern;

constexpr double kFrame = 1.0 / 30;

struct MergedVideo {
  std::vector<std::string> failures;  // each row's reason; a completed row's note
  std::string path;
  testmedia::VideoReport video;
  double audioSeconds = 0.0;
};

// MPEG-4 320x240 at 30 fps with MP3 sound, in an AVI.
MergedVideo MergeIntoAvi(const std::vector<std::string>& sources, const TempFolder& folder,
                         bool thumbnail = false) {
  ConversionEngine engine;
  std::vector<TaskRow> rows;
  for (const auto& source : sources) rows.push_back(testing::AddedRow(source));
  OutputSettings settings;
  settings.audioOnly = false;
  settings.videoCodecName = "MPEG4";
  settings.width = 320;
  settings.height = 240;
  settings.frameRateText = "30.0 fps";
  settings.videoBitRate = 1000000;
  settings.audioCodecName = "MP3";
  settings.thumbnail = thumbnail;
  Job job = BuildJob(rows, folder.path().string(), OutputChoiceForLabel(kMp3ProfileName), settings,
                     JobKind::MergeFiles);
  job.rows[0].outputPath = folder / "merged.avi";
  job.format = OutputFormatOfExtension(".avi");
  testing::BatchRecorder recorder;
  engine.Start(std::move(job), recorder);
  engine.Wait();
  const BatchOutcome batch = recorder.seen().batch.value_or(BatchOutcome{});
  MergedVideo merged{{}, batch.mergedOutputPath, {}, 0.0};
  for (const RowOutcome& row : recorder.outcomes()) {
    const bool completed = row.status == RowOutcome::Status::Completed;
    merged.failures.push_back(completed ? row.note : "failed: " + row.reason);
  }
  if (merged.path.empty()) {
    ADD_FAILURE() << "no merged file: " << batch.mergeFailureReason;
    return merged;
  }
  std::string noVideo;  // an output without a video stream reports no pictures
  testmedia::InspectVideo(merged.path, merged.video, &noVideo);
  const auto sound = testing::Inspect(merged.path);
  merged.audioSeconds = static_cast<double>(sound.decodedSamples) / sound.sampleRate;
  return merged;
}

// Checks that the pictures from `first` on are the pattern's frames 0, 1, ... (`count` of them,
// at the output's 30 fps), in place after scaling, and that the first of them comes `join`
// seconds after the picture before it.
void ExpectPatternRun(const testmedia::VideoReport& video, std::size_t first, std::size_t count,
                      double join) {
  ASSERT_LE(first + count, video.pictures.size());
  if (first > 0) {
    EXPECT_NEAR(video.pictures[first].seconds - video.pictures[first - 1].seconds, join,
                kFrame / 2);
  }
  for (std::size_t i = first; i < first + count; ++i) {
    const auto& picture = video.pictures[i];
    EXPECT_EQ(picture.number, static_cast<long long>(i - first)) << i;
    EXPECT_LE(ColourDistance(picture.quadrants[0], testmedia::kPatternTopLeft), 40) << i;
    EXPECT_LE(ColourDistance(picture.quadrants[3], testmedia::kPatternBottomRight), 40) << i;
  }
}

// A written test pattern of `seconds` at 30 fps with its tone; returns its path.
std::string PatternSource(const TempFolder& folder, const std::string& name, double seconds,
                          int width = 640, int height = 480) {
  auto pattern = Pattern(folder / name);
  pattern.seconds = seconds;
  pattern.width = width;
  pattern.height = height;
  return WritePattern(pattern);
}

void ExpectStrictlyIncreasing(const testmedia::VideoReport& video) {
  for (std::size_t i = 1; i < video.pictures.size(); ++i) {
    EXPECT_GT(video.pictures[i].seconds, video.pictures[i - 1].seconds) << i;
  }
}

TEST(VideoMergeWorker, SourcesOfTwoSizesBecomeOneScaledStreamWhoseTimestampsRunOn) {
  TempFolder folder;
  const auto merged = MergeIntoAvi(
      {PatternSource(folder, "large.mp4", 2.0), PatternSource(folder, "small.mp4", 1.0, 320, 240)},
      folder, true);
  EXPECT_EQ(merged.failures, std::vector<std::string>(2));
  ASSERT_FALSE(merged.path.empty());
  EXPECT_EQ(merged.video.codec, "mpeg4");
  EXPECT_EQ(merged.video.width, 320);
  EXPECT_EQ(merged.video.height, 240);
  EXPECT_EQ(merged.video.decodeErrors, 0);
  ASSERT_EQ(merged.video.pictures.size(), 90u);
  ExpectPatternRun(merged.video, 0, 60, 0.0);
  ExpectPatternRun(merged.video, 60, 30, kFrame);
  ExpectStrictlyIncreasing(merged.video);
  EXPECT_NEAR(merged.audioSeconds, 3.0, kFrame);

  // One file and its side file of the first picture, beside the two sources.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 4);
  const auto side = testing::InspectPictures(folder / "merged.THM");
  EXPECT_EQ(side.width, 160);
  ASSERT_EQ(side.pictures.size(), 1u);
  EXPECT_EQ(side.pictures[0].number, 0);
}

// A row without video leaves its length without pictures: the next row's pictures come with
// its sound, not straight after the previous pictures.
TEST(VideoMergeWorker, PicturesStayWithTheSoundAfterARowWithoutVideo) {
  TempFolder folder;
  const std::string tone = testing::WriteSample(testing::Tone(folder / "tone.m4a", 1.0));
  const auto merged = MergeIntoAvi(
      {PatternSource(folder, "before.mp4", 1.0), tone, PatternSource(folder, "after.mp4", 1.0)},
      folder);
  EXPECT_EQ(merged.failures, std::vector<std::string>(3));
  ASSERT_FALSE(merged.path.empty());
  ASSERT_EQ(merged.video.pictures.size(), 60u);
  ExpectPatternRun(merged.video, 0, 30, 0.0);
  ExpectPatternRun(merged.video, 30, 30, 1.0 + kFrame);  // the tone's second
  ExpectStrictlyIncreasing(merged.video);
  EXPECT_NEAR(merged.audioSeconds, 3.0, kFrame);
}

// The video's set-up comes from the first file that has video, so a first file of sound alone
// does not keep the later files' pictures out; its length goes by on a black picture. A merge in
// which no file has video says so on every row.
TEST(VideoMergeWorker, AFirstRowWithoutVideoLeavesTheVideoToTheRowsAfterIt) {
  TempFolder folder;
  const std::string tone = testing::WriteSample(testing::Tone(folder / "tone.m4a", 1.0));
  const auto merged = MergeIntoAvi(
      {tone, PatternSource(folder, "first.mp4", 1.0), PatternSource(folder, "second.mp4", 1.0)},
      folder);
  EXPECT_EQ(merged.failures, std::vector<std::string>(3));
  ASSERT_FALSE(merged.path.empty());
  EXPECT_EQ(merged.video.width, 320);
  // A black picture for the tone's second, then the two patterns. AVI keeps its first picture
  // at 0; the muxer moves the others one frame later, with the sound, for the MP3 priming.
  ASSERT_EQ(merged.video.pictures.size(), 61u);
  EXPECT_LE(ColourDistance(merged.video.pictures[0].quadrants[0], {0, 0, 0}), 40);
  ExpectPatternRun(merged.video, 1, 30, 1.0 + kFrame);
  ExpectPatternRun(merged.video, 31, 30, kFrame);
  ExpectStrictlyIncreasing(merged.video);
  EXPECT_NEAR(merged.audioSeconds, 3.0, kFrame);

  const std::string other = testing::WriteSample(testing::Tone(folder / "other.m4a", 1.0));
  const auto sound = MergeIntoAvi({tone, other}, folder);
  const std::string note = "no video in the source: the file holds sound only";
  EXPECT_EQ(sound.failures, (std::vector<std::string>{note, note}));
  EXPECT_TRUE(sound.video.pictures.empty());
  EXPECT_NEAR(sound.audioSeconds, 2.0, 0.05);
}

}  // namespace
}  // namespace varnell

#include <gtest/gtest.h>

#include "Media.h"
#include "TempFolder.h"
#include "engine/CodecNames.h"
#include "engine/ConversionJob.h"
#include "settings/OutputFormats.h"
#include "settings/ProfileChoice.h"

namespace varnell {
namespace {

TaskRow Row(std::string path, std::string start, std::string end, std::string duration,
            bool checked = true) {
  return TaskRow{std::move(path), std::move(start), std::move(end), std::move(duration), checked};
}

const OutputChoice Mp3 = OutputChoiceForLabel(kMp3ProfileName);
const OutputChoice Wma = OutputChoiceForLabel(kWmaProfileName);

OutputSettings Mp3Settings() {
  OutputSettings settings;
  int code = 0;
  ApplyProfileChoice(0, settings, code);
  return settings;
}

TEST(ConversionJob, OnlyCheckedRowsGetPathsAndTimes) {
  const std::vector<TaskRow> rows{
      Row("/music/a.m4a", "00:00:00", "00:03:00", "180", false),
      Row("/music/b.m4a", "00:01:00", "00:02:30", "200"),
      Row("/music/c.m4a", "00:00:00", "00:01:00", "60", false),
  };
  const Job job = BuildJob(rows, "/out", Mp3, Mp3Settings());
  ASSERT_EQ(job.rows.size(), 3u);
  EXPECT_EQ(job.selectedRows(), 1);
  EXPECT_FALSE(job.rows[0].selected());
  EXPECT_TRUE(job.rows[2].outputPath.empty());
  EXPECT_EQ(job.rows[1].sourcePath, "/music/b.m4a");
  EXPECT_EQ(job.rows[1].outputPath, "/out/b.mp3");
  EXPECT_EQ(job.rows[1].clipBegin, 60.0);
  EXPECT_EQ(job.rows[1].clipLength, 90.0);
  EXPECT_TRUE(job.failureReason.empty());
}

TEST(ConversionJob, AFileAddedWithItsFolderGoesBelowTheOutputFolderUnlessMerged) {
  TaskRow row = Row("/music/Lib/Disc 1/x.m4a", "00:00:00", "00:00:30", "60");
  row.outputSubfolder = "Lib/Disc 1";
  const Job converted = BuildJob({row}, "/out", Mp3, Mp3Settings());
  EXPECT_EQ(converted.rows[0].outputPath, "/out/Lib/Disc 1/x.mp3");
  EXPECT_EQ(converted.rows[0].outputSubfolder, "Lib/Disc 1");
  const Job merged = BuildJob({row, row}, "/out", Mp3, Mp3Settings(), JobKind::MergeFiles);
  EXPECT_EQ(merged.rows[0].outputPath, "/out/x.mp3");
  EXPECT_TRUE(merged.rows[0].outputSubfolder.empty());
}

TEST(ConversionJob, AnEndAtTheWholeSecondDurationMeansTheRealEnd) {
  const Job job = BuildJob({Row("/m/fresh.m4a", "00:00:00", "00:03:07", "187"),
                            Row("/m/clipped.m4a", "00:00:10", "00:03:06", "187"),
                            Row("/m/late.m4a", "00:01:00", "00:03:07", "187"),
                            Row("/m/unknown.m4a", "00:00:00", "00:00:00", ""),
                            Row("/m/zero.m4a", "00:00:00", "00:00:00", "0")},
                           "/out", Mp3, Mp3Settings());
  EXPECT_EQ(job.rows[0].clipLength, kClipToTheEnd);
  EXPECT_EQ(job.rows[1].clipLength, 176.0);
  EXPECT_EQ(job.rows[2].clipLength, kClipToTheEnd);
  EXPECT_EQ(job.rows[2].clipBegin, 60.0);
  EXPECT_EQ(job.rows[3].clipLength, 0.0);
  // A file shorter than a second shows 00:00:00 as its end: still the whole file.
  EXPECT_EQ(job.rows[4].clipLength, kClipToTheEnd);

  // An end typed as a time is exact, also on the whole-second duration.
  TaskRow typed = Row("/m/typed.m4a", "00:00:01", "00:03:07", "187");
  typed.endChosen = true;
  EXPECT_EQ(BuildJob({typed}, "/out", Mp3, Mp3Settings()).rows[0].clipLength, 186.0);
}

TEST(ConversionJob, NamesWithoutDotsAndManyRows) {
  std::vector<TaskRow> rows;
  for (int i = 0; i < 10050; ++i) {
    rows.push_back(Row("/m/take" + std::to_string(i), "00:00:00", "00:00:05", "5", i % 2 == 0));
  }
  rows.push_back(Row("/m/no-extension", "00:00:00", "00:00:05", "5"));
  const Job job = BuildJob(rows, "/out", Wma, Mp3Settings());
  EXPECT_EQ(job.rows.size(), 10051u);
  EXPECT_EQ(job.selectedRows(), 5026);
  EXPECT_EQ(job.rows[10050].outputPath, "/out/no-extension.wma");
  EXPECT_EQ(job.rows[10048].outputPath, "/out/take10048.wma");
}

// The rows of a merge keep their clips, and the progress divisor is exact, with a row that runs
// to the end measured from its file.
TEST(ConversionJob, MergeRowsKeepTheirClipsAndTheDivisorIsExact) {
  testing::TempFolder folder;
  const std::string fresh = testing::WriteSample(testing::Tone(folder / "fresh.m4a", 2.5));
  const Job job = BuildJob(
      {Row(fresh, "00:00:00", "00:00:02", "2"), Row("/m/b.m4a", "00:00:10", "00:00:40", "90"),
       Row("/m/c.m4a", "00:00:00", "00:00:50", "50", false)},
      "/out", Mp3, Mp3Settings(), JobKind::MergeFiles);
  EXPECT_EQ(job.kind, JobKind::MergeFiles);
  EXPECT_NEAR(job.mergeSeconds, 32.5, 0.05);
  EXPECT_EQ(job.rows[0].clipLength, kClipToTheEnd);
  EXPECT_EQ(job.rows[1].clipLength, 30.0);
  EXPECT_EQ(job.rows[1].outputPath, "/out/b.mp3");
}

TEST(ConversionJob, SettingsAreTranslatedAndUnknownTextsLeaveNoValue) {
  OutputSettings settings = Mp3Settings();
  settings.audioBitRate = 192000;
  settings.sampleRate = 48000;
  settings.channels = 1;
  settings.frameRateText = "25.0 fps";
  settings.videoCodecName = "H.264";
  settings.width = 320;
  settings.height = 240;
  settings.videoBitRate = 1000000;
  const TaskRow row = Row("/m/a.m4a", "00:00:00", "00:00:05", "5");
  Job job = BuildJob({row}, "/out", Mp3, settings);
  EXPECT_EQ(job.audio.codecId, Mp3CodecId());
  EXPECT_EQ(job.audio.bitRate, 192000);
  EXPECT_EQ(job.audio.sampleRate, 48000);
  EXPECT_EQ(job.audio.channels, 1);
  EXPECT_EQ(job.video.frameRate, 25.0);
  EXPECT_EQ(job.video.codecId, *VideoCodecIdFromName("H.264"));
  EXPECT_EQ(job.video.width, 320);
  EXPECT_EQ(job.video.bitRate, 1000000);
  EXPECT_FALSE(job.videoOutput);
  EXPECT_FALSE(job.thumbnail);

  settings.frameRateText = "18.0 fps";
  settings.videoCodecName = "Theora";
  settings.audioCodecName = "SPEEX";
  settings.audioOnly = false;
  settings.thumbnail = true;
  job = BuildJob({row}, "/out", Mp3, settings);
  EXPECT_EQ(job.video.frameRate, 0.0);
  EXPECT_EQ(job.video.codecId, 0);
  EXPECT_EQ(job.audio.codecId, 0);
  EXPECT_EQ(job.failureReason, "unknown audio codec \"SPEEX\"");
  EXPECT_TRUE(job.videoOutput);
  EXPECT_TRUE(job.thumbnail);
}

}  // namespace
}  // namespace varnell

#include <gtest/gtest.h>

#include "Media.h"
#include "TempFolder.h"
#include "engine/CodecNames.h"
#include "engine/ConversionJob.h"
#include "settings/ProfileChoice.h"

namespace varnell {
namespace {

TaskRow Row(std::string path, std::string start, std::string end, std::string duration,
            bool checked = true) {
  return TaskRow{std::move(path), std::move(start), std::move(end), std::move(duration), checked};
}

OutputSettings Mp3Settings() {
  OutputSettings settings;
  int code = 0;
  ApplyProfileChoice(0, settings, code);
  return settings;
}

TEST(ConversionJob, OnlyCheckedRowsGetPathsAndTimes) {
  AVConvert engine;
  const std::vector<TaskRow> rows{
      Row("/music/a.m4a", "00:00:00", "00:03:00", "180", false),
      Row("/music/b.m4a", "00:01:00", "00:02:30", "200"),
      Row("/music/c.m4a", "00:00:00", "00:01:00", "60", false),
  };
  const std::vector<int> rowMap =
      BuildConversionJob(engine, rows, "/out", kMp3ProfileName, Mp3Settings());
  EXPECT_EQ(rowMap, (std::vector<int>{-1, 1, -1}));
  EXPECT_EQ(engine.rowCount, 3);
  EXPECT_EQ(engine.taskCount, 1);
  EXPECT_TRUE(engine.sourcePaths[0].empty());
  EXPECT_TRUE(engine.outputPaths[2].empty());
  EXPECT_EQ(engine.sourcePaths[1], "/music/b.m4a");
  EXPECT_EQ(engine.outputPaths[1], "/out/b.mp3");
  EXPECT_EQ(engine.clipBegin[1], 60.0);
  EXPECT_EQ(engine.clipEnd[1], 150.0);
  EXPECT_EQ(engine.clipLength[1], 90.0);
  EXPECT_EQ(engine.currentTaskIndex, -1);
  EXPECT_EQ(engine.currentFilePercent, -1);
  EXPECT_FALSE(engine.stopFlag);
  for (int row = 0; row < 3; ++row) EXPECT_EQ(engine.taskStatus(row), kTaskPending);
}

TEST(ConversionJob, AnEndAtTheWholeSecondDurationMeansTheRealEnd) {
  AVConvert engine;
  BuildConversionJob(engine,
                     {Row("/m/fresh.m4a", "00:00:00", "00:03:07", "187"),
                      Row("/m/clipped.m4a", "00:00:10", "00:03:06", "187"),
                      Row("/m/late.m4a", "00:01:00", "00:03:07", "187"),
                      Row("/m/unknown.m4a", "00:00:00", "00:00:00", ""),
                      Row("/m/zero.m4a", "00:00:00", "00:00:00", "0")},
                     "/out", kMp3ProfileName, Mp3Settings());
  EXPECT_EQ(engine.clipLength[0], kClipToTheEnd);
  EXPECT_EQ(engine.clipLength[1], 176.0);
  EXPECT_EQ(engine.clipLength[2], kClipToTheEnd);
  EXPECT_EQ(engine.clipBegin[2], 60.0);
  EXPECT_EQ(engine.clipLength[3], 0.0);
  // A file shorter than a second shows 00:00:00 as its end: still the whole file.
  EXPECT_EQ(engine.clipLength[4], kClipToTheEnd);

  // An end typed as a time is exact, also on the whole-second duration.
  TaskRow typed = Row("/m/typed.m4a", "00:00:01", "00:03:07", "187");
  typed.endChosen = true;
  BuildConversionJob(engine, {typed}, "/out", kMp3ProfileName, Mp3Settings());
  EXPECT_EQ(engine.clipLength[0], 186.0);
}

TEST(ConversionJob, NamesWithoutDotsAndManyRows) {
  AVConvert engine;
  std::vector<TaskRow> rows;
  for (int i = 0; i < 10050; ++i) {
    rows.push_back(Row("/m/take" + std::to_string(i), "00:00:00", "00:00:05", "5", i % 2 == 0));
  }
  rows.push_back(Row("/m/no-extension", "00:00:00", "00:00:05", "5"));
  BuildConversionJob(engine, rows, "/out", kWmaProfileName, Mp3Settings());
  EXPECT_EQ(engine.rowCount, 10051);
  EXPECT_EQ(engine.taskCount, 5026);
  EXPECT_EQ(engine.outputPaths[10050], "/out/no-extension.wma");
  EXPECT_EQ(engine.outputPaths[10048], "/out/take10048.wma");
  EXPECT_EQ(engine.taskStatus(10050), kTaskPending);
}

// The rows of a merge keep their clips; the whole seconds stay for the progress text, while
// the divisor is exact, with a row that runs to the end measured from its file.
TEST(ConversionJob, MergeRowsKeepTheirClipsAndTheDivisorIsExact) {
  testing::TempFolder folder;
  const std::string fresh = testing::WriteSample(testing::Tone(folder / "fresh.m4a", 2.5));
  AVConvert engine;
  BuildConversionJob(engine,
                     {Row(fresh, "00:00:00", "00:00:02", "2"),
                      Row("/m/b.m4a", "00:00:10", "00:00:40", "90"),
                      Row("/m/c.m4a", "00:00:00", "00:00:50", "50", false)},
                     "/out", kMp3ProfileName, Mp3Settings(), JobKind::MergeFiles);
  EXPECT_EQ(engine.mergeTotalSeconds, 32);
  EXPECT_NEAR(engine.mergeTotalLength, 32.5, 0.05);
  EXPECT_EQ(engine.clipLength[0], kClipToTheEnd);
  EXPECT_EQ(engine.clipLength[1], 30.0);
  EXPECT_EQ(engine.outputPaths[1], "/out/b.mp3");
}

TEST(ConversionJob, SettingsAreTranslatedAndUnknownTextsLeaveNoOldValue) {
  AVConvert engine;
  OutputSettings settings = Mp3Settings();
  settings.audioBitRate = 192000;
  settings.sampleRate = 48000;
  settings.channels = 1;
  settings.frameRateText = "25.0 fps";
  settings.videoCodecName = "H.264";
  settings.width = 320;
  settings.height = 240;
  settings.videoBitRate = 1000000;
  ApplyOutputSettings(engine, settings);
  EXPECT_EQ(engine.audioCodecId, Mp3CodecId());
  EXPECT_EQ(engine.audioBitRate, 192000);
  EXPECT_EQ(engine.sampleRate, 48000);
  EXPECT_EQ(engine.channels, 1);
  EXPECT_EQ(engine.targetFrameRate, 25.0);
  EXPECT_EQ(engine.videoCodecId, *VideoCodecIdFromName("H.264"));
  EXPECT_EQ(engine.targetWidth, 320);
  EXPECT_EQ(engine.videoBitRate, 1000000);
  EXPECT_FALSE(engine.videoOutputFlag);
  EXPECT_EQ(engine.thumbnailMode, -1);

  settings.frameRateText = "18.0 fps";
  settings.videoCodecName = "Theora";
  settings.audioCodecName = "OPUS";
  settings.audioOnly = false;
  settings.thumbnail = true;
  ApplyOutputSettings(engine, settings);
  EXPECT_EQ(engine.targetFrameRate, 0.0);
  EXPECT_EQ(engine.videoCodecId, 0);
  EXPECT_EQ(engine.audioCodecId, 0);
  EXPECT_EQ(engine.jobFailureReason, "unknown audio codec \"OPUS\"");
  EXPECT_TRUE(engine.videoOutputFlag);
  EXPECT_EQ(engine.thumbnailMode, 1);
}

}  // namespace
}  // namespace varnell

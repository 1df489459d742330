// The engine object before any batch, and the first step of the output set-up.
#include <gtest/gtest.h>

#include "Conversion.h"
#include "Media.h"
#include "TempFolder.h"
#include "engine/AVConvert.h"

namespace varnell {
namespace {

TEST(EngineObject, StartsIdle) {
  AVConvert engine;
  EXPECT_TRUE(engine.probePath.empty());
  EXPECT_EQ(engine.videoStreamIndex, -1);
  EXPECT_EQ(engine.audioStreamIndex, -1);
  EXPECT_EQ(engine.currentTaskIndex, -1);
  EXPECT_EQ(engine.currentFilePercent, -1);
  EXPECT_EQ(engine.thumbnailMode, -1);
  EXPECT_EQ(engine.targetFrameRate, 0.0);
  EXPECT_FALSE(engine.stopFlag);
  EXPECT_EQ(engine.rowCount, 0);
  engine.JoinWorker();  // nothing to wait for
}

TEST(EngineObject, AnOutputNameFFmpegDoesNotKnowFailsBeforeAnythingIsWritten) {
  testing::TempFolder folder;
  const auto spec = testing::Tone(folder / "tone.m4a");
  testing::WriteSample(spec);
  AVConvert engine;
  const TaskRow row = testing::AddedRow(engine, spec.path);
  BuildConversionJob(engine, {row}, (folder / "out"), "Strange(*.xyz)", testing::SettingsFor({}));
  std::filesystem::create_directory(folder / "out");
  engine.StartConvertFiles();
  engine.JoinWorker();
  EXPECT_EQ(engine.taskStatus(0), kTaskFailed);
  EXPECT_EQ(engine.failureReason(0), "no output format for the name " + (folder / "out") + "/tone.xyz");
  EXPECT_TRUE(std::filesystem::is_empty(folder / "out"));
}

}  // namespace
}  // namespace varnell

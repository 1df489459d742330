// The first step of the output set-up.
#include <gtest/gtest.h>

#include "Conversion.h"
#include "Media.h"
#include "TempFolder.h"

namespace varnell {
namespace {

TEST(EngineObject, AnOutputNameFFmpegDoesNotKnowFailsBeforeAnythingIsWritten) {
  testing::TempFolder folder;
  const auto spec = testing::Tone(folder / "tone.m4a");
  testing::WriteSample(spec);
  ConversionEngine engine;
  const TaskRow row = testing::AddedRow(spec.path);
  std::filesystem::create_directory(folder / "out");
  testing::BatchRecorder recorder;
  engine.Start(BuildJob({row}, (folder / "out"), OutputChoiceForLabel("Strange(*.xyz)"),
                        testing::SettingsFor({})),
               recorder);
  engine.Wait();
  const RowOutcome outcome = recorder.outcomes().at(0);
  EXPECT_EQ(outcome.status, RowOutcome::Status::Failed);
  EXPECT_EQ(outcome.reason, "no output format for the name " + (folder / "out") + "/tone.xyz");
  EXPECT_TRUE(std::filesystem::is_empty(folder / "out"));
}

}  // namespace
}  // namespace varnell

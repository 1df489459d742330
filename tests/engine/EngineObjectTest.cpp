// The first step of the output set-up: a format that cannot be written stops every row.
#include <gtest/gtest.h>

#include "Conversion.h"
#include "Media.h"
#include "TempFolder.h"

namespace varnell {
namespace {

// A preset FFmpeg has no muxer for (dpg), and a name no row knows, as the window's batch runs
// them: each row fails with the reason, and no file is made.
TEST(EngineObject, AnOutputFormatFFmpegCannotWriteFailsBeforeAnythingIsWritten) {
  testing::TempFolder folder;
  const auto spec = testing::Tone(folder / "tone.m4a");
  testing::WriteSample(spec);
  std::filesystem::create_directory(folder / "out");
  for (const auto& [output, reason] :
       {std::pair{OutputChoiceForPreset(91400), "the dpg format cannot be written by this build"},
        std::pair{OutputChoiceForLabel("Strange(*.xyz)"),
                  "the xyz format cannot be written by this build"}}) {
    ConversionEngine engine;
    testing::BatchRecorder recorder;
    engine.Start(BuildJob({testing::AddedRow(spec.path)}, (folder / "out"), output,
                          testing::SettingsFor({})),
                 recorder);
    engine.Wait();
    const RowOutcome outcome = recorder.outcomes().at(0);
    EXPECT_EQ(outcome.status, RowOutcome::Status::Failed);
    EXPECT_EQ(outcome.reason, reason);
    EXPECT_TRUE(std::filesystem::is_empty(folder / "out"));
  }
}

}  // namespace
}  // namespace varnell

// The output format table against FFmpeg and the preset table: every row names a muxer FFmpeg
// has (the one it would pick for the extension, so a file is what its name says), every preset
// lands on a row, and the encoders a row lists are ones the engine has.
#include <gtest/gtest.h>

extern "C" {
#include <libavformat/avformat.h>
}

#include "engine/AudioContainers.h"
#include "engine/CodecNames.h"
#include "settings/OutputFormats.h"
#include "settings/PresetTable.h"

namespace varnell {
namespace {

TEST(OutputFormats, EachRowIsTheMuxerFFmpegPicksForItsExtension) {
  for (const OutputFormat& format : OutputFormats()) {
    SCOPED_TRACE(std::string(format.extension));
    const std::string name = "x" + std::string(format.extension);
    const AVOutputFormat* guessed = av_guess_format(nullptr, name.c_str(), nullptr);
    if (format.muxer.empty()) {
      EXPECT_EQ(guessed, nullptr);
      continue;
    }
    ASSERT_NE(guessed, nullptr);
    EXPECT_EQ(guessed->name, format.muxer);
    for (std::string_view encoder : format.audioEncoders) {
      EXPECT_NE(FindAudioEncoder(encoder), nullptr) << encoder;
      EXPECT_EQ(AudioContainerRefusal(*AudioCodecIdFromName(encoder), format), std::nullopt);
    }
    for (std::string_view codec : format.videoEncoders) {
      EXPECT_TRUE(VideoCodecIdFromName(codec) || codec == "MSMPEG4V3") << codec;
    }
  }
}

TEST(OutputFormats, EveryPresetAndProfileItemHasItsFormat) {
  for (const Preset& preset : AllPresets()) {
    SCOPED_TRACE(preset.displayName);
    const OutputChoice choice = OutputChoiceForPreset(preset.code);
    ASSERT_NE(OutputFormatOfExtension(choice.extension), nullptr);
    // A video preset's own default codec and sound are ones its container takes.
    const std::string& codec = preset.parameter(PresetColumn::VideoCodec).defaultChoice;
    const std::string& sound = preset.parameter(PresetColumn::AudioEncoder).defaultChoice;
    if (!preset.audioOnly) {
      EXPECT_TRUE(choice.format->takesVideoEncoder(codec)) << codec;
      EXPECT_TRUE(choice.format->takesAudioEncoder(sound)) << sound;
    }
  }
  const std::vector<const OutputFormat*> profiles = ProfileFormats();
  ASSERT_EQ(profiles.size(), 8u);
  // The audiobook is offered after the M4A it is one of, and its preset writes its extension.
  EXPECT_EQ(profiles[3]->extension, ".m4b");
  EXPECT_EQ(profiles[3]->muxer, profiles[2]->muxer);
  EXPECT_EQ(OutputChoiceForPreset(profiles[3]->presetCode).extension, ".m4b");
  EXPECT_EQ(OutputChoiceForPreset(kMp3PresetCode).extension, ".mp3");
  EXPECT_EQ(OutputChoiceForPreset(kWmaPresetCode).extension, ".wma");
  EXPECT_EQ(OutputChoiceForPreset(kWmaPresetCode).format->defaultAudioEncoder(), "WMA8");
  // The spelling of the preset's name is kept; the row is found in any case.
  EXPECT_EQ(OutputChoiceForPreset(91303).extension, ".MP4");
  EXPECT_EQ(OutputChoiceForPreset(91303).format->muxer, "mp4");
  EXPECT_EQ(OutputChoiceForLabel("Strange(*.xyz)").format->muxer, "");
}

}  // namespace
}  // namespace varnell

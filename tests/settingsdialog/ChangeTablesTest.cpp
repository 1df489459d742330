#include <gtest/gtest.h>

#include "settings/dialog/EncoderChangeTable.h"
#include "settings/dialog/VideoCodecChangeTable.h"

namespace varnell {
namespace {

using Strings = std::vector<std::string>;

TEST(EncoderChangeTable, EachEncoderRowSelectsItsOwnChannelsAndRates) {
  const EncoderDependentLists narrowband = ListsForEncoder("AMR_NB");
  EXPECT_EQ(narrowband.audioBitRate.choices.size(), 8u);
  EXPECT_EQ(narrowband.audioBitRate.selected, "6.7 kbps");
  EXPECT_EQ(narrowband.sampleRate.choices, Strings{"8000 Hz"});
  EXPECT_EQ(narrowband.channel.choices, Strings{"1 Channel Mono"});

  EXPECT_EQ(ListsForEncoder("AC3").channel.choices,
            (Strings{"1 Channel Mono", "2 Channel Stereo", "5.1 Channel"}));
  for (const char* surround : {"AC3", "VORBIS", "OPUS", "FLAC", "PCM_S16LE", "AAC"})
    EXPECT_EQ(ListsForEncoder(surround).channel.choices.back(), "5.1 Channel") << surround;
  EXPECT_EQ(ListsForEncoder("AC3").sampleRate.choices,
            (Strings{"32000 Hz", "44100 Hz", "48000 Hz"}));
  EXPECT_EQ(ListsForEncoder("OPUS").sampleRate.choices, Strings{"48000 Hz"});
  EXPECT_EQ(ListsForEncoder("OPUS").audioBitRate.choices.front(), "32 kbps");
  EXPECT_EQ(ListsForEncoder("OPUS").audioBitRate.choices.back(), "256 kbps");
  EXPECT_EQ(ListsForEncoder("FLAC").audioBitRate.selected, "Level 5");
  for (const char* lossless : {"ALAC", "PCM_S16LE", "PCM_S16BE"}) {
    EXPECT_TRUE(ListsForEncoder(lossless).audioBitRate.choices.empty()) << lossless;
    EXPECT_EQ(ListsForEncoder(lossless).sampleRate.choices.back(), "192000 Hz") << lossless;
  }
  // MP3 offers its VBR qualities after the rates; WMA and unknown names keep the rates alone.
  const Strings mp3 = ListsForEncoder("MP3").audioBitRate.choices;
  ASSERT_EQ(mp3.size(), 17u);
  EXPECT_EQ(mp3[6], "320 kbps");
  EXPECT_EQ(mp3[7], "VBR V0 (best)");
  EXPECT_EQ(mp3[16], "VBR V9");
  for (const char* other : {"MP3", "WMA8", "ac3"}) {
    const EncoderDependentLists lists = ListsForEncoder(other);
    EXPECT_EQ(lists.channel.choices, (Strings{"1 Channel Mono", "2 Channel Stereo"})) << other;
    EXPECT_EQ(lists.channel.selected, "2 Channel Stereo") << other;
    EXPECT_EQ(lists.audioBitRate.selected, "192 kbps") << other;
    EXPECT_EQ(lists.sampleRate.selected, "44100 Hz") << other;
    EXPECT_EQ(lists.sampleRate.choices, (Strings{"44100 Hz", "48000 Hz", "22050 Hz", "32000 Hz"}));
  }
  EXPECT_EQ(ListsForEncoder("ac3").audioBitRate.choices.size(), 7u);
}

TEST(VideoCodecChangeTable, OnlyThreePresetSetsGetTheirOwnFrameSizes) {
  const auto h263 = FrameSizesForVideoCodec(90802, "H.263");
  ASSERT_TRUE(h263);
  EXPECT_EQ(h263->choices.back(), "1408*1152");
  EXPECT_EQ(h263->selected, "352*288");

  EXPECT_EQ(FrameSizesForVideoCodec(90001, "MPEG4")->choices.size(), 9u);
  EXPECT_EQ(FrameSizesForVideoCodec(90803, "MPEG4")->choices,
            (Strings{"176*144", "220*176", "320*240", "480*320"}));
  EXPECT_EQ(FrameSizesForVideoCodec(91405, "h.263")->selected, "720*480");

  for (int code : {90000, 90804, 91403, 91406})
    EXPECT_FALSE(FrameSizesForVideoCodec(code, "H.263")) << code;
}

}  // namespace
}  // namespace varnell

#include <gtest/gtest.h>

#include <string>

#include "settings/AudioEncoderChoices.h"
#include "settings/dialog/EncoderChangeTable.h"
#include "settings/dialog/VideoCodecChangeTable.h"

namespace varnell {
namespace {

using Strings = std::vector<std::string>;

TEST(EncoderChangeTable, EachEncoderRowSelectsItsOwnChannelsAndRates) {
  const EncoderDependentLists narrowband = ListsForEncoder("AMR_NB");
  EXPECT_EQ(BitRatesForEncoder("AMR_NB", "8000 Hz").choices.size(), 8u);
  EXPECT_EQ(BitRatesForEncoder("AMR_NB", "8000 Hz").selected, "6.7 kbps");
  EXPECT_EQ(narrowband.sampleRate.choices, Strings{"8000 Hz"});
  EXPECT_EQ(narrowband.channel.choices, Strings{"1 Channel Mono"});

  EXPECT_EQ(ListsForEncoder("AC3").channel.choices,
            (Strings{"1 Channel Mono", "2 Channel Stereo", "5.1 Channel"}));
  for (const char* surround : {"AC3", "VORBIS", "OPUS", "FLAC", "PCM_S16LE", "AAC"})
    EXPECT_EQ(ListsForEncoder(surround).channel.choices.back(), "5.1 Channel") << surround;
  EXPECT_EQ(ListsForEncoder("AC3").sampleRate.choices,
            (Strings{"32000 Hz", "44100 Hz", "48000 Hz"}));
  EXPECT_EQ(ListsForEncoder("OPUS").sampleRate.choices, Strings{"48000 Hz"});
  EXPECT_EQ(BitRatesForEncoder("OPUS", "48000 Hz").choices.front(), "32 kbps");
  EXPECT_EQ(BitRatesForEncoder("OPUS", "48000 Hz").choices.back(), "256 kbps");
  EXPECT_EQ(BitRatesForEncoder("FLAC", "22050 Hz").selected, "Level 5");
  EXPECT_EQ(BitRatesForEncoder("FLAC", "22050 Hz").choices.size(), 9u);
  for (const char* lossless : {"ALAC", "PCM_S16LE", "PCM_S16BE"}) {
    EXPECT_TRUE(BitRatesForEncoder(lossless, "44100 Hz").choices.empty()) << lossless;
    EXPECT_EQ(ListsForEncoder(lossless).sampleRate.choices.back(), "192000 Hz") << lossless;
  }
  // MP3 offers its VBR qualities after the rates; WMA and unknown names keep the rates alone.
  const Strings mp3 = BitRatesForEncoder("MP3", "44100 Hz").choices;
  ASSERT_EQ(mp3.size(), 17u);
  EXPECT_EQ(mp3[6], "320 kbps");
  EXPECT_EQ(mp3[7], "VBR V0 (best)");
  EXPECT_EQ(mp3[16], "VBR V9");
  for (const char* other : {"MP3", "WMA8", "ac3"}) {
    const EncoderDependentLists lists = ListsForEncoder(other);
    EXPECT_EQ(lists.channel.choices, (Strings{"1 Channel Mono", "2 Channel Stereo"})) << other;
    EXPECT_EQ(lists.channel.selected, "2 Channel Stereo") << other;
    EXPECT_EQ(BitRatesForEncoder(other, "22050 Hz").selected,
              other == std::string("MP3") ? "160 kbps" : "192 kbps")
        << other;
    EXPECT_EQ(lists.sampleRate.selected, "44100 Hz") << other;
    EXPECT_EQ(lists.sampleRate.choices, (Strings{"44100 Hz", "48000 Hz", "22050 Hz", "32000 Hz"}));
  }
  EXPECT_EQ(BitRatesForEncoder("ac3", "22050 Hz").choices.size(), 7u);
}

// LAME clamps a constant rate its MPEG version has no slot for, so the dialog offers only the
// rates varnell-convert also takes at that sample rate; the qualities need no such slot.
TEST(EncoderChangeTable, Mp3OffersOnlyTheBitRatesItsSampleRateHolds) {
  const AudioEncoderChoices& mp3 = *FindAudioEncoderChoices("MP3");
  for (const char* sampleRate : {"22050 Hz", "32000 Hz", "44100 Hz", "48000 Hz"}) {
    const NumberRange range = mp3.bitRateKbpsAt(std::stoi(sampleRate));
    int rates = 0;
    for (const std::string& text : BitRatesForEncoder("MP3", sampleRate).choices) {
      if (text.starts_with("VBR")) continue;
      ++rates;
      EXPECT_TRUE(range.holds(std::stoi(text))) << text << " at " << sampleRate;
    }
    EXPECT_EQ(rates, std::string(sampleRate) == "22050 Hz" ? 4 : 7) << sampleRate;
  }
  EXPECT_EQ(
      BitRatesForEncoder("MP3", "22050 Hz").choices,
      (Strings{"64 kbps", "96 kbps", "128 kbps", "160 kbps", "VBR V0 (best)", "VBR V1", "VBR V2",
               "VBR V3", "VBR V4", "VBR V5", "VBR V6", "VBR V7", "VBR V8", "VBR V9"}));
  EXPECT_FALSE(mp3.bitRateKbpsAt(22050).holds(320));
  EXPECT_TRUE(mp3.bitRateKbpsAt(16000).holds(8));
  EXPECT_FALSE(mp3.bitRateKbpsAt(11025).holds(96));
  // Every other encoder keeps one range whatever the rate.
  EXPECT_EQ(BitRatesForEncoder("WMA8", "22050 Hz").choices,
            BitRatesForEncoder("WMA8", "48000 Hz").choices);
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

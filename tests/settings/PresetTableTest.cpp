#include "settings/PresetTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace varnell {
namespace {

using Choices = std::vector<std::string>;

struct GroupRange {
  int group;
  int count;
};

// Group sizes in group order; code = 90000 + 100 * group + position.
constexpr GroupRange kGroups[] = {{0, 14}, {1, 13}, {2, 3},  {3, 11},  {4, 10}, {5, 4},
                                  {6, 7},  {7, 4},  {8, 7},  {9, 8},   {10, 3}, {11, 9},
                                  {12, 9}, {13, 4}, {14, 6}, {15, 11}, {16, 3}};

TEST(PresetTable, RowsFollowTheGroupCodingInCodeOrder) {
  std::vector<int> expected;
  for (const GroupRange& g : kGroups) {
    for (int position = 0; position < g.count; ++position)
      expected.push_back(90000 + 100 * g.group + position);
  }
  ASSERT_EQ(expected.size(), 126u);

  std::vector<int> actual;
  for (const Preset& preset : AllPresets()) actual.push_back(preset.code);
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(std::set<int>(actual.begin(), actual.end()).size(), actual.size());
}

TEST(PresetTable, EveryDisplayNameEndsWithAFilePattern) {
  for (const Preset& preset : AllPresets()) {
    const std::string& name = preset.displayName;
    const auto open = name.rfind("(*.");
    ASSERT_NE(open, std::string::npos) << preset.code << " " << name;
    EXPECT_GT(name.size(), open + 4) << name;
    EXPECT_EQ(name.back(), ')') << name;
    EXPECT_GT(open, 0u) << name;
  }
}

TEST(PresetTable, NamesAreKeptVerbatim) {
  EXPECT_EQ(FindPreset(90000)->displayName, "ASF - Advanced Streaming Format(*.asf)");
  EXPECT_EQ(FindPreset(90106)->displayName, "MP3 - MPEG Layer-3 Audio(*.MP3)");
  EXPECT_EQ(FindPreset(90110)->displayName, "WMA -Windows Media Audio(*.wma)");
  EXPECT_EQ(FindPreset(90305)->displayName, "HD MPEG2-TS Video(*.ts)");
  EXPECT_EQ(FindPreset(91002)->displayName, "F4V-F4V Format(*.flv)");
  EXPECT_EQ(FindPreset(91302)->displayName, "PSP H.264 Video for firmware 2.00 and above(*.MP4)");
  EXPECT_EQ(FindPreset(91403)->displayName, "NDS - DPG3 Video(*.dpg)");
  EXPECT_EQ(FindPreset(91602)->displayName, "ZUNE MPEG4 Video(*.mp4)");
}

TEST(PresetTable, FlagsMarkTheAudioAndThumbnailRows) {
  std::set<int> audioOnly, thumbnail;
  for (const Preset& preset : AllPresets()) {
    if (preset.audioOnly) audioOnly.insert(preset.code);
    if (preset.thumbnail) thumbnail.insert(preset.code);
  }
  EXPECT_EQ(audioOnly,
            (std::set<int>{90100, 90101, 90102, 90103, 90104, 90105, 90106, 90107, 90108, 90109,
                           90110, 90111, 90112, 90700, 90701, 90702, 90703, 90805}));
  EXPECT_EQ(thumbnail, (std::set<int>{91300, 91301, 91302, 91303}));
}

void ExpectNoVideoColumns(const Preset& preset) {
  for (PresetColumn c : {PresetColumn::VideoCodec, PresetColumn::FrameSize, PresetColumn::FrameRate,
                         PresetColumn::VideoBitRate}) {
    EXPECT_TRUE(preset.parameter(c).choices.empty());
    EXPECT_EQ(preset.parameter(c).defaultChoice, "");
  }
}

const Choices kSelectableBitRates = {"32 kbps",  "48 kbps",  "64 kbps",  "80 kbps",  "96 kbps",
                                     "128 kbps", "160 kbps", "192 kbps", "256 kbps", "320 kbps"};

TEST(PresetTable, Mp3RowIsComplete) {
  const Preset& p = *FindPreset(kMp3PresetCode);
  EXPECT_EQ(p.parameter(PresetColumn::AudioEncoder).choices, Choices{"MP3"});
  EXPECT_EQ(p.parameter(PresetColumn::AudioEncoder).defaultChoice, "MP3");
  EXPECT_EQ(p.parameter(PresetColumn::AudioBitRate).choices, kSelectableBitRates);
  EXPECT_EQ(p.parameter(PresetColumn::AudioBitRate).defaultChoice, "128 kbps");
  EXPECT_EQ(p.parameter(PresetColumn::SampleRate).choices,
            (Choices{"22050 Hz", "24000 Hz", "32000 Hz", "44100 Hz", "48000 Hz"}));
  EXPECT_EQ(p.parameter(PresetColumn::SampleRate).defaultChoice, "44100 Hz");
  EXPECT_EQ(p.parameter(PresetColumn::Channel).choices,
            (Choices{"1 Channel Mono", "2 Channel Stereo"}));
  EXPECT_EQ(p.parameter(PresetColumn::Channel).defaultChoice, "2 Channel Stereo");
  ExpectNoVideoColumns(p);
}

TEST(PresetTable, WmaRowIsComplete) {
  const Preset& p = *FindPreset(kWmaPresetCode);
  EXPECT_EQ(p.parameter(PresetColumn::AudioEncoder).choices, (Choices{"WMA7", "WMA8"}));
  EXPECT_EQ(p.parameter(PresetColumn::AudioEncoder).defaultChoice, "WMA8");
  EXPECT_EQ(p.parameter(PresetColumn::AudioBitRate).choices, kSelectableBitRates);
  EXPECT_EQ(p.parameter(PresetColumn::AudioBitRate).defaultChoice, "128 kbps");
  EXPECT_EQ(p.parameter(PresetColumn::SampleRate).choices,
            (Choices{"24000 Hz", "32000 Hz", "44100 Hz", "48000 Hz"}));
  EXPECT_EQ(p.parameter(PresetColumn::SampleRate).defaultChoice, "44100 Hz");
  EXPECT_EQ(p.parameter(PresetColumn::Channel).choices,
            (Choices{"1 Channel Mono", "2 Channel Stereo"}));
  EXPECT_EQ(p.parameter(PresetColumn::Channel).defaultChoice, "2 Channel Stereo");
  ExpectNoVideoColumns(p);
}

TEST(PresetTable, AsfVideoRowIsComplete) {
  const Preset& p = *FindPreset(90000);
  EXPECT_EQ(p.parameter(PresetColumn::AudioEncoder).choices, (Choices{"MP3", "MP2"}));
  EXPECT_EQ(
      p.parameter(PresetColumn::AudioBitRate).choices,
      (Choices{"64 kbps", "96 kbps", "128 kbps", "160 kbps", "192 kbps", "256 kbps", "320 kbps"}));
  EXPECT_EQ(p.parameter(PresetColumn::SampleRate).choices,
            (Choices{"44100 Hz", "48000 Hz", "22050 Hz", "32000 Hz"}));
  EXPECT_EQ(p.parameter(PresetColumn::Channel).choices,
            (Choices{"1 Channel Mono", "2 Channel Stereo"}));
  EXPECT_EQ(p.parameter(PresetColumn::VideoCodec).choices, (Choices{"WMV1", "WMV2", "MPEG4"}));
  EXPECT_EQ(p.parameter(PresetColumn::FrameSize).choices,
            (Choices{"128*96", "176*144", "320*240", "352*240", "352*288", "640*480", "720*480",
                     "704*576", "720*576"}));
  EXPECT_EQ(p.parameter(PresetColumn::FrameRate).choices,
            (Choices{"10.0 fps", "15.0 fps", "20.0 fps", "23.975 fps", "24.0 fps", "25.0 fps",
                     "29.97 fps", "30.0 fps", "50.0 fps", "60.0 fps"}));
  EXPECT_EQ(
      p.parameter(PresetColumn::VideoBitRate).choices,
      (Choices{"128 kbps", "256 kbps", "512 kbps", "768 kbps", "1000 kbps", "1200 kbps",
               "1500 kbps", "2000 kbps", "2500 kbps", "3000 kbps", "3500 kbps", "4000 kbps"}));

  const std::vector<std::string> defaults = {"MP3",   "128 kbps", "44100 Hz",  "2 Channel Stereo",
                                             "MPEG4", "320*240",  "29.97 fps", "1000 kbps"};
  for (int c = 0; c < kPresetColumnCount; ++c) {
    EXPECT_EQ(p.parameter(static_cast<PresetColumn>(c)).defaultChoice,
              defaults[static_cast<std::size_t>(c)])
        << c;
  }
}

// Each audio row offers its format's encoders and the first one's lists, and preselects texts the
// lists hold; a lossless row has no bit rate but FLAC's, which holds its compression levels.
TEST(PresetTable, AudioRowsOfferWhatTheirNamesPromise) {
  const std::vector<std::pair<std::vector<int>, Choices>> rows{
      {{90100}, {"AAC"}},
      {{90101, 90108}, {"AC3"}},
      {{90102, 90103}, {"PCM_S16BE"}},
      {{90104}, {"AAC", "ALAC"}},
      {{90105}, {"MP2"}},
      {{90107, 90700}, {"VORBIS"}},
      {{90109, 90702}, {"PCM_S16LE"}},
      {{90703, 90805}, {"WMA7", "WMA8"}},
      {{90701}, {"FLAC"}},
      {{kOpusPresetCode}, {"OPUS"}},
  };
  for (const auto& [codes, encoders] : rows) {
    for (int code : codes) {
      const Preset& p = *FindPreset(code);
      EXPECT_EQ(p.parameter(PresetColumn::AudioEncoder).choices, encoders) << code;
      EXPECT_EQ(p.parameter(PresetColumn::AudioEncoder).defaultChoice,
                encoders.size() == 2 && encoders[0] == "WMA7" ? "WMA8" : encoders[0]);
      for (PresetColumn c :
           {PresetColumn::AudioBitRate, PresetColumn::SampleRate, PresetColumn::Channel}) {
        const PresetParameter& parameter = p.parameter(c);
        const bool none = parameter.choices.empty() && parameter.defaultChoice.empty();
        EXPECT_TRUE(none || std::find(parameter.choices.begin(), parameter.choices.end(),
                                      parameter.defaultChoice) != parameter.choices.end())
            << code << " " << parameter.defaultChoice;
      }
      ExpectNoVideoColumns(p);
    }
  }
  EXPECT_TRUE(FindPreset(90109)->parameter(PresetColumn::AudioBitRate).choices.empty());
  EXPECT_EQ(FindPreset(90701)->parameter(PresetColumn::AudioBitRate).defaultChoice, "Level 5");
  EXPECT_EQ(FindPreset(kOpusPresetCode)->parameter(PresetColumn::SampleRate).choices,
            Choices{"48000 Hz"});
  EXPECT_EQ(FindPreset(90101)->parameter(PresetColumn::SampleRate).choices,
            (Choices{"32000 Hz", "44100 Hz", "48000 Hz"}));
  EXPECT_EQ(FindPreset(90701)->parameter(PresetColumn::Channel).choices.back(), "5.1 Channel");
  EXPECT_EQ(FindPreset(90703)->parameter(PresetColumn::AudioBitRate).choices, kSelectableBitRates);
}

TEST(PresetTable, UnknownCodeBehavesAsAnEmptyPreset) {
  for (int code : {0, -1, 89999, 90014, 90113, 91603, 99999}) {
    EXPECT_EQ(FindPreset(code), nullptr) << code;
    const Preset& p = PresetOrEmpty(code);
    EXPECT_EQ(p.displayName, "");
    EXPECT_FALSE(p.audioOnly);
    EXPECT_FALSE(p.thumbnail);
    for (const PresetParameter& parameter : p.parameters) {
      EXPECT_TRUE(parameter.choices.empty());
      EXPECT_EQ(parameter.defaultChoice, "");
    }
  }
  EXPECT_EQ(&PresetOrEmpty(91303), FindPreset(91303));
}

}  // namespace
}  // namespace varnell

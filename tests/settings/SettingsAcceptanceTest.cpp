#include "settings/SettingsAcceptance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/AudioEncoderChoices.h"
#include "settings/ChoiceParsers.h"
#include "settings/OutputFormats.h"
#include "settings/PresetTable.h"
#include "settings/RecordingMessageSink.h"

namespace varnell {
namespace {

AcceptedChoices VideoChoices() {
  return AcceptedChoices{.encoder = "MP2",
                         .audioBitRate = "7.95 kbps",
                         .sampleRate = "22050 Hz",
                         .channel = "5.1 Channel",
                         .videoCodec = "WMV2",
                         .frameSize = "720*576",
                         .frameRate = "23.975 fps",
                         .videoBitRate = "1500 kbps"};
}

TEST(AcceptSettings, StoresEveryChoice) {
  OutputSettings s;
  s.audioOnly = false;
  s.thumbnail = true;
  RecordingMessageSink sink;
  AcceptSettings(VideoChoices(), 90000, s, sink);

  EXPECT_EQ(s.width, 720);
  EXPECT_EQ(s.height, 576);
  EXPECT_EQ(s.frameRateText, "23.975 fps");
  EXPECT_EQ(s.videoBitRate, 1500000);
  EXPECT_EQ(s.videoCodecName, "WMV2");
  EXPECT_EQ(s.sampleRate, 22050);
  EXPECT_EQ(s.channels, 6);
  EXPECT_EQ(s.audioBitRate, 7950);
  EXPECT_EQ(s.audioCodecName, "MP2");
  EXPECT_EQ(s.previousPresetCode, 90000);
  EXPECT_FALSE(s.audioOnly);
  EXPECT_TRUE(s.thumbnail);
  EXPECT_TRUE(sink.messages.empty());

  const SavedChoiceTexts& saved = s.savedChoices;
  EXPECT_EQ(saved.audioBitRate, "7.95 kbps");
  EXPECT_EQ(saved.sampleRate, "22050 Hz");
  EXPECT_EQ(saved.channel, "5.1 Channel");
  EXPECT_EQ(saved.videoBitRate, "1500 kbps");
  EXPECT_EQ(saved.frameSize, "720*576");
  EXPECT_EQ(saved.frameRate, "23.975 fps");
  EXPECT_EQ(saved.videoCodec, "WMV2");
  EXPECT_EQ(saved.encoder, "MP2");
}

// What the audio-only rows produce: the four video lists are disabled and empty.
TEST(AcceptSettings, AudioOnlyChoicesKeepTheFrameSizeAndClearVideo) {
  OutputSettings s;
  s.width = 640;
  s.height = 480;
  s.videoBitRate = 512000;
  s.frameRateText = "25.0 fps";
  s.videoCodecName = "MPEG4";
  RecordingMessageSink sink;
  const AcceptedChoices choices{.encoder = "WMA7",
                                .audioBitRate = "320 kbps",
                                .sampleRate = "48000 Hz",
                                .channel = "1 Channel Mono",
                                .videoCodec = "",
                                .frameSize = "",
                                .frameRate = "",
                                .videoBitRate = ""};
  AcceptSettings(choices, kWmaPresetCode, s, sink);

  EXPECT_EQ(s.width, 640);
  EXPECT_EQ(s.height, 480);
  EXPECT_EQ(s.videoBitRate, 0);
  EXPECT_EQ(s.frameRateText, "");
  EXPECT_EQ(s.videoCodecName, "");
  EXPECT_EQ(s.audioBitRate, 320000);
  EXPECT_EQ(s.sampleRate, 48000);
  EXPECT_EQ(s.channels, 1);
  EXPECT_EQ(s.audioCodecName, "WMA7");
  EXPECT_EQ(s.previousPresetCode, kWmaPresetCode);
  EXPECT_TRUE(sink.messages.empty());
}

TEST(AcceptSettings, UnknownChannelTextKeepsTheCountButIsSaved) {
  OutputSettings s;
  s.channels = 6;
  RecordingMessageSink sink;
  AcceptedChoices choices = VideoChoices();
  choices.channel = "2 Channel stereo";
  AcceptSettings(choices, 90000, s, sink);
  EXPECT_EQ(s.channels, 6);
  EXPECT_EQ(s.savedChoices.channel, "2 Channel stereo");
}

// The bit rate list holds rates, VBR qualities and FLAC's levels: each text stores its own number
// and clears the other two, and every encoder's texts stay within what its encoder takes.
TEST(AcceptSettings, BitRateTextsStoreARateAQualityOrALevel) {
  struct Case {
    const char* text;
    int bitRate, vbrQuality, compressionLevel;
  };
  for (const Case& c : {Case{"VBR V0 (best)", 0, 0, -1}, Case{"VBR quality 10 (best)", 0, 10, -1},
                        Case{"Level 8 (smallest)", 0, -1, 8}, Case{"192 kbps", 192000, -1, -1},
                        Case{"", 0, -1, -1}}) {
    OutputSettings s;
    s.vbrQuality = 4;
    s.compressionLevel = 7;
    RecordingMessageSink sink;
    AcceptedChoices choices = VideoChoices();
    choices.audioBitRate = c.text;
    AcceptSettings(choices, 90000, s, sink);
    EXPECT_EQ(s.audioBitRate, c.bitRate) << c.text;
    EXPECT_EQ(s.vbrQuality, c.vbrQuality) << c.text;
    EXPECT_EQ(s.compressionLevel, c.compressionLevel) << c.text;
  }

  for (const AudioEncoder& encoder : AudioEncoders()) {
    const AudioEncoderChoices& row = *FindAudioEncoderChoices(encoder.codecName);
    EXPECT_EQ(row.bitRateKbps.applies(), !encoder.lossless) << encoder.codecName;
    for (const std::string& text : row.bitRates.choices) {
      const int kbps = ParseRate(text) / 1000, vbr = ParseVbrQuality(text),
                level = ParseCompressionLevel(text);
      EXPECT_EQ((kbps > 0) + (vbr >= 0) + (level >= 0), 1) << text;
      EXPECT_TRUE(kbps == 0 || row.bitRateKbps.holds(kbps)) << encoder.codecName << " " << text;
      EXPECT_TRUE(vbr < 0 || row.vbrQuality.holds(vbr)) << encoder.codecName << " " << text;
      EXPECT_TRUE(level < 0 || row.compressionLevel.holds(level)) << encoder.codecName << text;
    }
  }
}

// Records the settings as they stood when the size message was shown.
class SnapshotSink : public MessageSink {
 public:
  explicit SnapshotSink(const OutputSettings& watched) : watched_(watched) {}
  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    snapshots.push_back(watched_);
  }
  std::vector<std::string> messages;
  std::vector<OutputSettings> snapshots;

 private:
  const OutputSettings& watched_;
};

TEST(AcceptSettings, BadSizeIsReportedFirstAndTheRestIsStillStored) {
  OutputSettings s;
  s.width = 176;
  s.height = 144;
  SnapshotSink sink(s);
  AcceptedChoices choices = VideoChoices();
  choices.frameSize = "720*";
  AcceptSettings(choices, 90000, s, sink);

  ASSERT_EQ(sink.messages, std::vector<std::string>{kSizeParseFailedMessage});
  const OutputSettings& atMessage = sink.snapshots.front();
  EXPECT_EQ(atMessage.frameRateText, "");
  EXPECT_EQ(atMessage.videoBitRate, 0);
  EXPECT_EQ(atMessage.audioCodecName, "MP3");
  EXPECT_EQ(atMessage.previousPresetCode, 0);

  EXPECT_EQ(s.width, 176);
  EXPECT_EQ(s.height, 144);
  EXPECT_EQ(s.frameRateText, "23.975 fps");
  EXPECT_EQ(s.audioBitRate, 7950);
  EXPECT_EQ(s.audioCodecName, "MP2");
  EXPECT_EQ(s.previousPresetCode, 90000);
  EXPECT_EQ(s.savedChoices.frameSize, "720*");
}

}  // namespace
}  // namespace varnell

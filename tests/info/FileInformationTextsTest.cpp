// The display texts of the file information dialog, from the strings a probe writes.
#include <gtest/gtest.h>

#include "info/FileInformationTexts.h"

namespace varnell {
namespace {

// What a probe of an AAC recording in an M4A file writes: no video stream, so every video
// number is "0" and the frame rate is empty.
MediaInformation AudioOnlySource() {
  MediaInformation info;
  info.sourcePath = "/home/user/music/Morning Walk.m4a";
  info.mediaLength = "00:03:25";
  info.audioBitRate = "128000";
  info.sampleRate = "44100";
  info.channels = "2";
  info.videoBitRate = "0";
  info.width = "0";
  info.height = "0";
  info.frameRate = "";
  info.videoCodec = "0";
  info.audioCodec = "86018";
  return info;
}

MediaInformation VideoSource() {
  MediaInformation info = AudioOnlySource();
  info.sourcePath = "/videos/clip.mp4";
  info.videoBitRate = "1499999";
  info.width = "640";
  info.height = "480";
  info.frameRate = "29.97 fps";
  info.videoCodec = "27";
  return info;
}

TEST(FileInformationTexts, AnAudioOnlySourceShowsAnEmptyVideoGroup) {
  const FileInformationTexts texts = DescribeForDisplay(AudioOnlySource());
  EXPECT_EQ(texts.fileName, "Morning Walk.m4a");
  EXPECT_EQ(texts.mediaLength, "00:03:25");
  EXPECT_EQ(texts.resolution, "");
  EXPECT_EQ(texts.frameRate, "");
  EXPECT_EQ(texts.videoBitRate, "");
  EXPECT_EQ(texts.audioBitRate, "128 Kbps");
  EXPECT_EQ(texts.samples, "44100 Hz");
  EXPECT_EQ(texts.channel, "2 Channel stereo");
}

TEST(FileInformationTexts, AVideoStreamShowsItsPictureFrameRateAndBitRate) {
  MediaInformation info = VideoSource();
  const FileInformationTexts texts = DescribeForDisplay(info);
  EXPECT_EQ(texts.fileName, "clip.mp4");
  EXPECT_EQ(texts.resolution, "640*480");
  EXPECT_EQ(texts.frameRate, "29.97 fps");
  EXPECT_EQ(texts.videoBitRate, "1499 Kbps");
  info.height = "";  // a picture size needs both numbers
  EXPECT_EQ(DescribeForDisplay(info).resolution, "");
}

TEST(FileInformationTexts, ASourceWithoutAudioShowsAnEmptyAudioGroupButItsLength) {
  MediaInformation info = VideoSource();
  info.audioCodec = "0";
  const FileInformationTexts texts = DescribeForDisplay(info);
  EXPECT_EQ(texts.audioBitRate, "");
  EXPECT_EQ(texts.samples, "");
  EXPECT_EQ(texts.channel, "");
  EXPECT_EQ(texts.mediaLength, "00:03:25");
  EXPECT_EQ(texts.resolution, "640*480");
}

// The groups follow the integer a codec text starts with: blanks before it and anything after
// it do not matter, and a text that starts with no number counts as no stream.
TEST(FileInformationTexts, TheCodecNumbersLeadingIntegerDecidesWhetherAStreamExists) {
  const std::pair<std::string, bool> cases[] = {
      {"27", true},  {"  27", true}, {"1x", true},    {"0", false},
      {"-1", false}, {"", false},    {"h264", false},
  };
  for (const auto& [codec, hasVideo] : cases) {
    MediaInformation info = VideoSource();
    info.videoCodec = codec;
    EXPECT_EQ(DescribeForDisplay(info).resolution.isEmpty(), !hasVideo) << '"' << codec << '"';
  }
}

TEST(FileInformationTexts, ChannelCountsOneTwoAndSixAreNamedOthersShownBare) {
  EXPECT_EQ(ChannelText("1"), "1 Channel Mono");
  EXPECT_EQ(ChannelText("2"), "2 Channel stereo");
  EXPECT_EQ(ChannelText("6"), "6 Channel stereo");
  EXPECT_EQ(ChannelText("4"), "4");
}

TEST(FileInformationTexts, HertzOnlyForASampleRateAndAPathWithoutAFolderShownWhole) {
  MediaInformation info = AudioOnlySource();
  info.sampleRate = "";
  info.sourcePath = "loose.m4a";
  EXPECT_EQ(DescribeForDisplay(info).samples, "");
  EXPECT_EQ(DescribeForDisplay(info).fileName, "loose.m4a");
}

TEST(FileInformationTexts, BitRatesAreTruncatedToWholeKilobits) {
  EXPECT_EQ(FormatBitRate("128000"), "128 Kbps");
  EXPECT_EQ(FormatBitRate("127999"), "127 Kbps");
  EXPECT_EQ(FormatBitRate("999"), "0 Kbps");
  EXPECT_EQ(FormatBitRate("0"), "0 Kbps");
  EXPECT_EQ(FormatBitRate("2147483647"), "2147483 Kbps");
  EXPECT_EQ(FormatBitRate(""), "");
}

// Some variable-rate files report no bit rate; with an audio codec the zero is still shown.
TEST(FileInformationTexts, AZeroAudioBitRateIsShownWhileThereIsAnAudioCodec) {
  MediaInformation info = AudioOnlySource();
  info.audioBitRate = "0";
  EXPECT_EQ(DescribeForDisplay(info).audioBitRate, "0 Kbps");
}

}  // namespace
}  // namespace varnell

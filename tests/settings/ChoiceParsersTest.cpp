#include "settings/ChoiceParsers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/RecordingMessageSink.h"

namespace varnell {
namespace {

TEST(ParseRate, ConvertsWholeBitRatesAndSampleRates) {
  EXPECT_EQ(ParseRate("128 kbps"), 128000);
  EXPECT_EQ(ParseRate("320 kbps"), 320000);
  EXPECT_EQ(ParseRate("20000 kbps"), 20000000);
  EXPECT_EQ(ParseRate("48000 Hz"), 48000);
  EXPECT_EQ(ParseRate("44100 Hz"), 44100);
  EXPECT_EQ(ParseRate("8000 Hz"), 8000);
}

// The fractional rates of the speech-codec rows.
TEST(ParseRate, FractionalBitRatesAreExact) {
  EXPECT_EQ(ParseRate("4.75 kbps"), 4750);
  EXPECT_EQ(ParseRate("5.15 kbps"), 5150);
  EXPECT_EQ(ParseRate("5.9 kbps"), 5900);
  EXPECT_EQ(ParseRate("6.7 kbps"), 6700);
  EXPECT_EQ(ParseRate("7.4 kbps"), 7400);
  EXPECT_EQ(ParseRate("7.95 kbps"), 7950);
  EXPECT_EQ(ParseRate("10.2 kbps"), 10200);
  EXPECT_EQ(ParseRate("12.2 kbps"), 12200);
}

// In binary floating point these land just below the whole number, where a
// truncation would lose one bit per second.
TEST(ParseRate, NoBinaryRoundingLoss) {
  EXPECT_EQ(ParseRate("2.01 kbps"), 2010);
  EXPECT_EQ(ParseRate("1.005 kbps"), 1005);
  EXPECT_EQ(ParseRate("16.06 kbps"), 16060);
}

TEST(ParseRate, TruncatesTowardZero) {
  EXPECT_EQ(ParseRate("1.2345 kbps"), 1234);
  EXPECT_EQ(ParseRate("0.0009 kbps"), 0);
  EXPECT_EQ(ParseRate("-1.2345 kbps"), -1234);
  EXPECT_EQ(ParseRate("1.5e1 kbps"), 15000);
  EXPECT_EQ(ParseRate(".5 kbps"), 500);
}

TEST(ParseRate, FallsBackToZero) {
  EXPECT_EQ(ParseRate(""), 0);
  EXPECT_EQ(ParseRate("44100"), 0);
  EXPECT_EQ(ParseRate("29.97 fps"), 0);
  EXPECT_EQ(ParseRate(" kbps"), 0);
  EXPECT_EQ(ParseRate("fast kbps"), 0);
  EXPECT_EQ(ParseRate("Hz Hz"), 0);
}

TEST(ParseRate, UsesTheFirstUnitAndLeadingDigits) {
  EXPECT_EQ(ParseRate("64 kbps 128 kbps"), 64000);
  EXPECT_EQ(ParseRate("22050x Hz"), 22050);
  EXPECT_EQ(ParseRate("96 kbps at 48000 Hz"), 96000);
  EXPECT_EQ(ParseRate("48000 Hz 96 kbps"), 48000 * 1000);  // " kbps" wins wherever it stands
}

TEST(ParseRate, SaturatesInsteadOfOverflowing) {
  EXPECT_EQ(ParseRate("99999999 kbps"), 2147483647);
  EXPECT_EQ(ParseRate("99999999999 Hz"), 2147483647);
  EXPECT_EQ(ParseRate("1e400 kbps"), 2147483647);
}

TEST(ParseChannels, MapsTheThreeLayoutsExactly) {
  int channels = 0;
  ParseChannels("1 Channel Mono", channels);
  EXPECT_EQ(channels, 1);
  ParseChannels("5.1 Channel", channels);
  EXPECT_EQ(channels, 6);
  ParseChannels("2 Channel Stereo", channels);
  EXPECT_EQ(channels, 2);
}

TEST(ParseChannels, LeavesOtherTextsAlone) {
  for (const char* text : {"2 Channel stereo", "", "1 channel mono", "2 Channel Stereo ", "6"}) {
    int channels = 1;
    ParseChannels(text, channels);
    EXPECT_EQ(channels, 1) << text;
  }
}

struct FrameSizeTest : ::testing::Test {
  int width = 11;
  int height = 22;
  RecordingMessageSink sink;
};

TEST_F(FrameSizeTest, SplitsAtTheFirstStar) {
  ParseFrameSize("320*240", width, height, sink);
  EXPECT_EQ(width, 320);
  EXPECT_EQ(height, 240);
  ParseFrameSize("1920*1080*2", width, height, sink);
  EXPECT_EQ(width, 1920);
  EXPECT_EQ(height, 1080);
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(FrameSizeTest, NonNumericSidesReadAsZero) {
  ParseFrameSize("wide*tall", width, height, sink);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(FrameSizeTest, EmptyTextChangesNothingSilently) {
  ParseFrameSize("", width, height, sink);
  EXPECT_EQ(width, 11);
  EXPECT_EQ(height, 22);
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(FrameSizeTest, MissingSideReportsAndChangesNothing) {
  for (const char* text : {"320*", "*240", "320", "*"}) {
    sink.messages.clear();
    ParseFrameSize(text, width, height, sink);
    EXPECT_EQ(width, 11) << text;
    EXPECT_EQ(height, 22) << text;
    EXPECT_EQ(sink.messages, std::vector<std::string>{"转化失败!"}) << text;
  }
}

}  // namespace
}  // namespace varnell

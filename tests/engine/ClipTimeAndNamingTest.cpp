#include <gtest/gtest.h>

#include "engine/ClipTime.h"
#include "engine/CodecNames.h"
#include "engine/OutputNaming.h"

namespace varnell {
namespace {

TEST(ClipTime, FormatsEveryPartWithAtLeastTwoDigits) {
  EXPECT_EQ(FormatClipTime(0), "00:00:00");
  EXPECT_EQ(FormatClipTime(59), "00:00:59");
  EXPECT_EQ(FormatClipTime(187), "00:03:07");
  EXPECT_EQ(FormatClipTime(3600), "01:00:00");
  EXPECT_EQ(FormatClipTime(360000), "100:00:00");
  EXPECT_EQ(FormatClipTime(-5), "00:00:00");
}

TEST(ClipTime, ParsesHoursMinutesSecondsLikeAtoi) {
  EXPECT_EQ(ParseClipTime("01:02:03"), 3723);
  EXPECT_EQ(ParseClipTime("123:04:05"), 443045);
  EXPECT_EQ(ParseClipTime("00:00:00"), 0);
  // Minutes are the two characters after the first colon, seconds what follows the last.
  EXPECT_EQ(ParseClipTime("00:1x:07"), 67);
  EXPECT_EQ(ParseClipTime("aa:bb:cc"), 0);
  EXPECT_EQ(ParseClipTime(""), 0);
  for (std::int64_t seconds : {0, 1, 59, 61, 3599, 3723, 86399, 443045}) {
    EXPECT_EQ(ParseClipTime(FormatClipTime(seconds)), seconds) << seconds;
  }
}

TEST(ClipTime, StrictFormForTheCommandLine) {
  EXPECT_TRUE(IsWellFormedClipTime("00:00:00"));
  EXPECT_TRUE(IsWellFormedClipTime("123:59:59"));
  EXPECT_FALSE(IsWellFormedClipTime("00:60:00"));
  EXPECT_FALSE(IsWellFormedClipTime("00:00:60"));
  EXPECT_FALSE(IsWellFormedClipTime("0:0:0"));
  EXPECT_FALSE(IsWellFormedClipTime(":00:00"));
  EXPECT_FALSE(IsWellFormedClipTime("00:00"));
  EXPECT_FALSE(IsWellFormedClipTime("00:00:0a"));
  EXPECT_FALSE(IsWellFormedClipTime("-1:00:00"));
}

TEST(OutputNaming, BaseNameAndOutputPath) {
  EXPECT_EQ(OutputBaseName("/music/song.m4a"), "song");
  EXPECT_EQ(OutputBaseName("/music/my.song.m4a"), "my.song");
  EXPECT_EQ(OutputBaseName("/music.d/track"), "track");
  EXPECT_EQ(OutputBaseName("/music/.hidden"), ".hidden");
  EXPECT_EQ(OutputBaseName("plain.aac"), "plain");
  EXPECT_EQ(BuildOutputPath("/out", "/music/song.m4a", ".mp3"), "/out/song.mp3");
  EXPECT_EQ(BuildOutputPath("/out", "/music/README", ".wma"), "/out/README.wma");
}

TEST(OutputNaming, CollisionCandidatesAreBuiltFromTheOriginalName) {
  EXPECT_EQ(CollisionCandidate("/out/song.mp3", -1), "/out/song.mp3");
  EXPECT_EQ(CollisionCandidate("/out/song.mp3", 0), "/out/song(0).mp3");
  EXPECT_EQ(CollisionCandidate("/out/song.mp3", 1), "/out/song(1).mp3");
  EXPECT_EQ(CollisionCandidate("/out/my.song.mp3", 12), "/out/my.song(12).mp3");
  // A dot in a folder name is not the file's extension.
  EXPECT_EQ(CollisionCandidate("/out.d/song", 0), "/out.d/song(0)");
}

// Rows whose outputs can end up competing for a name are named in row order; others need not wait.
TEST(OutputNaming, CollisionLoopsMeetOnlyWhereOneCanTryTheOthersName) {
  EXPECT_TRUE(CollisionLoopsMeet("/out/song.mp3", "/out/song.mp3"));
  EXPECT_TRUE(CollisionLoopsMeet("/out/song.mp3", "/out/song(0).mp3"));
  EXPECT_TRUE(CollisionLoopsMeet("/out/song(12).mp3", "/out/song.mp3"));
  EXPECT_TRUE(CollisionLoopsMeet("/out.d/song(0)", "/out.d/song"));
  EXPECT_FALSE(CollisionLoopsMeet("/out/song.mp3", "/out/songs.mp3"));
  EXPECT_FALSE(CollisionLoopsMeet("/out/song.mp3", "/out/song().mp3"));
  EXPECT_FALSE(CollisionLoopsMeet("/out/song.mp3", "/out/song(a).mp3"));
  EXPECT_FALSE(CollisionLoopsMeet("/out/song.mp3", "/out/song(0).wma"));
  EXPECT_FALSE(CollisionLoopsMeet("/out/song.mp3", "/other/song.mp3"));
  // song(0).mp3 tries song(0)(0).mp3 next, which song.mp3 never tries.
  EXPECT_FALSE(CollisionLoopsMeet("/out/song.mp3", "/out/song(0)(0).mp3"));
}

TEST(CodecNames, TranslationTables) {
  EXPECT_EQ(FrameRateFromText("29.97 fps"), 29.97);
  EXPECT_EQ(FrameRateFromText("14.985 fps"), 14.985);
  EXPECT_FALSE(FrameRateFromText("18.0 fps"));
  EXPECT_FALSE(FrameRateFromText("10"));
  EXPECT_FALSE(FrameRateFromText("29.97 FPS"));
  EXPECT_EQ(AudioCodecIdFromName("MP3"), Mp3CodecId());
  EXPECT_EQ(AudioCodecIdFromName("WMA7"), Wma7CodecId());
  EXPECT_EQ(AudioCodecIdFromName("WMA8"), Wma8CodecId());
  EXPECT_TRUE(AudioCodecIdFromName("FLAC"));
  EXPECT_FALSE(AudioCodecIdFromName("mp3"));
  EXPECT_EQ(VideoCodecIdFromName("XVID"), VideoCodecIdFromName("MPEG4"));
  EXPECT_NE(VideoCodecIdFromName("H.264"), VideoCodecIdFromName("H.263"));
  EXPECT_FALSE(VideoCodecIdFromName("h.264"));
}

}  // namespace
}  // namespace varnell

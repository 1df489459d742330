// The preview and the conversion take the same streams of a file: both go through the media
// layer's stream choice, the player through its MediaFile, the engine through its probe.
#include <gtest/gtest.h>

#include "Media.h"
#include "TempFolder.h"
#include "engine/SourceProbe.h"
#include "playermodule/MediaFile.h"

namespace varnell {
namespace {

using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;

TEST(SameStream, PlayerAndEngineTakeTheSameSoundAndNeitherTakesTheCoverForVideo) {
  TempFolder folder;
  auto spec = Tone(folder / "dual.m4a", 2.0);
  spec.secondAudioStream = true;
  spec.jpegCover = true;
  WriteSample(spec);

  const ProbeResult probe = ProbeSource(spec.path);
  ASSERT_TRUE(probe.ok()) << probe.failureReason;
  const auto played = player::MediaFile::Open(spec.path);
  ASSERT_NE(played, nullptr);

  EXPECT_EQ(played->audioStreamIndex(), probe.audioStreamIndex);
  // The last audio stream (ConversionOutput checks what the engine converts from it).
  const auto report = testing::Inspect(spec.path);
  ASSERT_GT(static_cast<int>(report.streams.size()), probe.audioStreamIndex);
  for (int i = probe.audioStreamIndex + 1; i < static_cast<int>(report.streams.size()); ++i) {
    EXPECT_NE(report.streams[i].type, "audio");
  }
  EXPECT_FALSE(played->hasVideo());
  EXPECT_EQ(probe.videoStreamIndex, -1);
  // The cover is still the player's picture.
  EXPECT_TRUE(played->hasPicture());
  EXPECT_GT(played->pictureWidth(), 0);
}

}  // namespace
}  // namespace varnell

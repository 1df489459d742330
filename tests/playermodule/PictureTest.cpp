// The picture of a file: none for plain sound, the cover of an m4a, the video frame due at the
// position heard; as a bottom-up bitmap of blue, green, red bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "Media.h"
#include "PlayerTestSupport.h"
#include "testmedia/VideoSampleWriter.h"

namespace varnell::testing {
namespace {

using testmedia::RgbColour;

struct Bitmap {
  int width = 0, height = 0;
  std::vector<unsigned char> bytes;

  // Rows are stored bottom-up: row 0 of the picture is the last row of the bitmap.
  RgbColour at(int x, int pictureRow) const {
    const unsigned char* pixel = bytes.data() + ((height - 1 - pictureRow) * width + x) * 3;
    return RgbColour{pixel[2], pixel[1], pixel[0]};
  }
};

bool Near(const RgbColour& actual, const RgbColour& expected, int tolerance) {
  return std::abs(actual.red - expected.red) <= tolerance &&
         std::abs(actual.green - expected.green) <= tolerance &&
         std::abs(actual.blue - expected.blue) <= tolerance;
}

std::string Describe(const RgbColour& colour) {
  return "(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
         std::to_string(colour.blue) + ")";
}

class PictureTest : public PlayerTest {
 protected:
  static Bitmap FrameOfSize(int width, int height) {
    Bitmap bitmap{width, height,
                  std::vector<unsigned char>(static_cast<std::size_t>(width) * height * 3)};
    // Video frames arrive from the decoding thread shortly after Open or a move.
    EXPECT_TRUE(
        WaitFor([&] { return PlayerModule_GetFrame(bitmap.bytes.data(), width, height) == 0; }));
    return bitmap;
  }
  static Bitmap Frame() {
    int width = 0, height = 0;
    EXPECT_EQ(PlayerModule_GetFrameSize(&width, &height), 0);
    return FrameOfSize(width, height);
  }
};

TEST_F(PictureTest, PlainSoundHasNoPicture) {
  ASSERT_TRUE(Open(WriteSample(Tone(path("tone.m4a"), 1.0))));
  int hasPicture = -1, hasSound = -1, width = 0, height = 0;
  ASSERT_EQ(PlayerModule_GetMideaType(&hasPicture, &hasSound), 0);
  EXPECT_EQ(hasPicture, 0);
  EXPECT_EQ(hasSound, 1);
  EXPECT_EQ(PlayerModule_GetFrameSize(&width, &height), -1);
  unsigned char pixel[3];
  EXPECT_EQ(PlayerModule_GetFrame(pixel, 1, 1), -1);
}

TEST_F(PictureTest, CoverIsThePictureAtItsOwnSizeOrScaled) {
  testmedia::SampleSpec spec = Tone(path("cover.m4a"), 1.0);
  spec.jpegCover = true;
  spec.coverWidth = 64;
  spec.coverHeight = 48;
  ASSERT_TRUE(Open(WriteSample(spec)));
  int hasPicture = 0, width = 0, height = 0;
  ASSERT_EQ(PlayerModule_GetMideaType(&hasPicture, nullptr), 0);
  EXPECT_EQ(hasPicture, 1);
  ASSERT_EQ(PlayerModule_GetFrameSize(&width, &height), 0);
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 48);

  // The test cover's luma rises from left to right, its blue difference from top to bottom and
  // its red difference falls from left to right: red at the top left, magenta at the bottom
  // left, green at the top right.
  for (const auto& [w, h] : {std::pair{64, 48}, std::pair{32, 24}}) {
    const Bitmap bitmap = FrameOfSize(w, h);
    const RgbColour topLeft = bitmap.at(1, 1), bottomLeft = bitmap.at(1, h - 2),
                    topRight = bitmap.at(w - 2, 1);
    EXPECT_TRUE(Near(topLeft, {178, 0, 0}, 30))
        << w << "x" << h << " top left " << Describe(topLeft);
    EXPECT_TRUE(Near(bottomLeft, {178, 0, 225}, 30))
        << w << "x" << h << " bottom left " << Describe(bottomLeft);
    EXPECT_TRUE(Near(topRight, {76, 255, 28}, 30))
        << w << "x" << h << " top right " << Describe(topRight);
  }
}

TEST_F(PictureTest, VideoFrameIsTheOneDueAtThePosition) {
  testmedia::VideoSampleSpec spec;
  spec.path = path("halves.mp4");
  std::string error;
  ASSERT_TRUE(testmedia::WriteVideoSample(spec, &error)) << error;
  ASSERT_TRUE(Open(spec.path));
  int hasPicture = 0, hasSound = 0, width = 0, height = 0;
  ASSERT_EQ(PlayerModule_GetMideaType(&hasPicture, &hasSound), 0);
  EXPECT_EQ(hasPicture, 2) << "a video, not a still cover";
  EXPECT_EQ(hasSound, 1);
  ASSERT_EQ(PlayerModule_GetFrameSize(&width, &height), 0);
  EXPECT_EQ(width, spec.width);
  EXPECT_EQ(height, spec.height);

  const auto expectHalves = [&](const Bitmap& bitmap, const RgbColour& top,
                                const RgbColour& bottom) {
    for (const int x : {2, bitmap.width / 2, bitmap.width - 3}) {
      EXPECT_TRUE(Near(bitmap.at(x, 2), top, 12)) << "top " << Describe(bitmap.at(x, 2));
      EXPECT_TRUE(Near(bitmap.at(x, bitmap.height - 3), bottom, 12))
          << "bottom " << Describe(bitmap.at(x, bitmap.height - 3));
    }
  };
  expectHalves(Frame(), spec.top, spec.bottom);
  // Past the swap time the halves have exchanged colours.
  ASSERT_EQ(PlayerModule_SetPos(0.75f), 0);
  expectHalves(Frame(), spec.bottom, spec.top);
  ASSERT_EQ(PlayerModule_SetPos(0.1f), 0);
  expectHalves(Frame(), spec.top, spec.bottom);
}

TEST_F(PictureTest, VideoWithoutSoundKeepsTimeAndEnds) {
  NotificationLog::Instance().listen();
  testmedia::VideoSampleSpec spec;
  spec.path = path("silent.mp4");
  spec.seconds = 1.0;
  spec.swapSeconds = 0.4;
  spec.withTone = false;
  std::string error;
  ASSERT_TRUE(testmedia::WriteVideoSample(spec, &error)) << error;
  ASSERT_TRUE(Open(spec.path));
  int hasPicture = 0, hasSound = 1;
  ASSERT_EQ(PlayerModule_GetMideaType(&hasPicture, &hasSound), 0);
  EXPECT_EQ(hasPicture, 2) << "a video, not a still cover";
  EXPECT_EQ(hasSound, 0);
  double duration = 0.0;
  ASSERT_EQ(PlayerModule_GetDuration(&duration), 0);
  EXPECT_NEAR(duration, 1.0, 0.05);

  ASSERT_EQ(PlayerModule_Start(), 0);
  // The device's silence keeps the time: the picture follows the frames played.
  Play(0.25);
  EXPECT_TRUE(Near(Frame().at(2, 2), spec.top, 12)) << "top before the swap";
  Play(0.5);
  EXPECT_NEAR(PositionSeconds(), 0.75, 1e-4);
  const Bitmap bitmap = Frame();
  EXPECT_TRUE(Near(bitmap.at(2, 2), spec.bottom, 12))
      << "top after the swap " << Describe(bitmap.at(2, 2));
  EXPECT_EQ(NotificationLog::Instance().ends(), 0);
  Play(0.4);
  ASSERT_TRUE(NotificationLog::Instance().waitForEnd());
  EXPECT_NEAR(PositionSeconds(), 1.0, 0.05);
}

}  // namespace
}  // namespace varnell::testing

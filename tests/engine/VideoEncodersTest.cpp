// The thirteen video encoders, each in a container that takes it, and the targets they refuse.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "TempFolder.h"
#include "VideoChain.h"
#include "engine/ConversionFailure.h"

namespace varnell {
namespace {

using testing::ConvertVideo;
using testing::InspectPictures;
using testing::kColourTolerance;
using testing::Pattern;
using testing::Target;
using testing::TempFolder;
using testing::WritePattern;
using testmedia::ColourDistance;

struct EncoderCase {
  const char* codecText;
  const char* file;
  const char* decodedAs;  // FFmpeg's codec name when read back
  int width, height;
  double requestedRate;  // 0 keeps the source's rate
  double writtenRate;    // "rm" keeps the source's rate whatever is requested
};

TEST(VideoEncoders, EachWritesItsCodecAtTheRequestedSizeAndRate) {
  TempFolder folder;
  const std::string source = WritePattern(Pattern(folder / "pattern.mp4"));
  const double sourceSeconds = 5.0;
  const std::vector<EncoderCase> cases{
      {"H.263", "h263.3gp", "h263", 176, 144, 15.0, 15.0},
      {"MPEG4", "mpeg4.mp4", "mpeg4", 320, 240, 29.97, 29.97},
      {"FLV", "flv.flv", "flv1", 320, 240, 25.0, 25.0},
      {"WMV1", "wmv1.wmv", "wmv1", 320, 240, 30.0, 30.0},
      {"WMV2", "wmv2.wmv", "wmv2", 320, 240, 15.0, 15.0},
      {"XVID", "xvid.avi", "mpeg4", 320, 240, 30.0, 30.0},
      // MPEG-2 codes 10 fps as 30 x 1/3 in its sequence extension; MPEG-1 cannot.
      {"MPEG2VIDEO", "mpeg2.mpg", "mpeg2video", 352, 288, 10.0, 10.0},
      {"MPEG1VIDEO", "mpeg1.mpg", "mpeg1video", 320, 240, 25.0, 25.0},
      {"DVVIDEO", "dv.dv", "dvvideo", 720, 576, 25.0, 25.0},
      {"RV20", "rv20.rm", "rv20", 320, 240, 15.0, 30.0},
      {"M-JPEG", "mjpeg.avi", "mjpeg", 320, 240, 0.0, 30.0},
      {"DivX", "divx.avi", "msmpeg4v3", 320, 240, 29.97, 29.97},
      {"H.264", "h264.mp4", "h264", 320, 240, 30.0, 30.0},
  };
  for (const EncoderCase& c : cases) {
    SCOPED_TRACE(c.codecText);
    std::string written;
    try {
      written = ConvertVideo(source, folder / c.file,
                             Target(c.codecText, c.width, c.height, c.requestedRate));
    } catch (const ConversionFailure& failure) {
      ADD_FAILURE() << failure.what();
      continue;
    }
    const auto report = InspectPictures(written);
    EXPECT_EQ(report.decodeErrors, 0);
    EXPECT_EQ(report.codec, c.decodedAs);
    EXPECT_EQ(report.width, c.width);
    EXPECT_EQ(report.height, c.height);
    EXPECT_NEAR(report.framesPerSecond, c.writtenRate, 0.01);
    EXPECT_NEAR(static_cast<double>(report.pictures.size()), sourceSeconds * c.writtenRate, 1.0);
    ASSERT_FALSE(report.pictures.empty());
    const auto& middle = report.pictures[report.pictures.size() / 2];
    EXPECT_LE(ColourDistance(middle.quadrants[0], testmedia::kPatternTopLeft), kColourTolerance);
    EXPECT_LE(ColourDistance(middle.quadrants[3], testmedia::kPatternBottomRight),
              kColourTolerance);
  }
  // libx264 writes the settings it encoded with into the stream.
  std::ifstream h264(folder / "h264.mp4", std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(h264), std::istreambuf_iterator<char>()};
  for (const char* setting :
       {"me_range=16 ", "bframes=0 ", "qcomp=0.60 ", "qpmin=10 qpmax=51 qpstep=4 "}) {
    EXPECT_NE(bytes.find(setting), std::string::npos) << setting;
  }
}

struct RefusedCase {
  const char* file;
  const char* codecText;
  int width, height;
  double rate;
  const char* reason;
};

TEST(VideoEncoders, RefusedTargetsFailWithWordsBeforeAnyFileExists) {
  TempFolder folder;
  const std::string source = WritePattern(Pattern(folder / "pattern.mp4"));
  const std::vector<RefusedCase> cases{
      {"refused.avi", "H.263", 320, 240, 30.0,
       "H.263 encoder: frame size 320x240 not supported (128x96, 176x144, 352x288, 704x576, "
       "1408x1152)"},
      {"refused.avi", "MPEG1VIDEO", 320, 240, 10.0,
       "MPEG-1 encoder: frame rate 10 fps not supported"},
      {"refused.avi", "MPEG1VIDEO", 320, 240, 14.985,
       "MPEG-1 encoder: frame rate 14.985 fps not supported"},
      {"refused.avi", "WMV1", 321, 240, 30.0,
       "WMV1 encoder: frame size 321x240 not supported (the width must be even)"},
      {"refused.avi", "WMV2", 321, 240, 30.0,
       "WMV2 encoder: frame size 321x240 not supported (the width must be even)"},
      {"refused.rm", "RV20", 322, 240, 30.0,
       "RV20 encoder: frame size 322x240 not supported (width and height must be multiples of 4)"},
      {"refused.avi", "XVID", 320, 241, 30.0,
       "Xvid encoder: frame size 320x241 not supported (width and height must be even)"},
      {"refused.avi", "H.264", 321, 240, 30.0,
       "H.264 encoder: frame size 321x240 not supported (width and height must be even)"},
      {"refused.avi", "DVVIDEO", 320, 240, 25.0,
       "DV encoder: frame size 320x240 not supported (720x480 at 29.97 fps, 720x576 at 25 fps)"},
      {"refused.avi", "DVVIDEO", 720, 576, 29.97,
       "DV encoder: frame rate 29.97 fps not supported at 720x576 (25 fps)"},
      {"refused.avi", "VP9", 320, 240, 30.0, "no encoder for video codec VP9"},
      // Muxers that would refuse the stream only when the file is already being written, or
      // take it and write a stream no reader knows.
      {"refused.flv", "MPEG4", 320, 240, 30.0, "MPEG-4 video cannot be stored in the flv format"},
      {"refused.rm", "DVVIDEO", 720, 576, 25.0, "DV video cannot be stored in the rm format"},
      {"refused.rm", "H.263", 352, 288, 30.0, "H.263 video cannot be stored in the rm format"},
      {"refused.mpg", "WMV2", 320, 240, 30.0, "WMV2 video cannot be stored in the mpeg format"},
      {"refused.ts", "M-JPEG", 320, 240, 30.0, "MJPEG video cannot be stored in the mpegts format"},
      {"refused.avi", "RV20", 320, 240, 30.0, "RV20 video cannot be stored in the avi format"},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.reason);
    try {
      ConvertVideo(source, folder / c.file, Target(c.codecText, c.width, c.height, c.rate));
      ADD_FAILURE() << "converted";
    } catch (const ConversionFailure& failure) {
      EXPECT_STREQ(failure.what(), c.reason);
    }
    // Nothing besides the source: no output, no temporary file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
  }
}

}  // namespace
}  // namespace varnell

// The one picture scaler of the conversion and the preview: it follows the size of the pictures
// it is given and reads each in the range and matrix the picture states.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <tuple>

#include "media/PictureRotator.h"
#include "media/VideoScaler.h"
#include "testmedia/PatternVideoWriter.h"
#include "testmedia/VideoFrameInspector.h"

namespace varnell {
namespace {

using testmedia::ColourDistance;
using testmedia::RgbColour;

constexpr int kWidth = 64;
constexpr int kHeight = 48;

struct Yuv {
  int y, u, v;
};

ffmpeg::FramePtr FlatPicture(const Yuv& colour, AVColorRange range, AVColorSpace matrix) {
  ffmpeg::FramePtr picture(av_frame_alloc());
  EXPECT_NE(picture, nullptr);
  picture->format = AV_PIX_FMT_YUV420P;
  picture->width = kWidth;
  picture->height = kHeight;
  picture->color_range = range;
  picture->colorspace = matrix;
  EXPECT_GE(av_frame_get_buffer(picture.get(), 0), 0);
  const int values[] = {colour.y, colour.u, colour.v};
  for (int plane = 0; plane < 3; ++plane) {
    const int rows = plane == 0 ? kHeight : kHeight / 2;
    const int columns = plane == 0 ? kWidth : kWidth / 2;
    for (int row = 0; row < rows; ++row) {
      std::fill_n(picture->data[plane] + row * picture->linesize[plane], columns,
                  static_cast<std::uint8_t>(values[plane]));
    }
  }
  return picture;
}

RgbColour RgbAtCentre(const AVFrame& picture) {
  const std::uint8_t* pixel =
      picture.data[0] + (picture.height / 2) * picture.linesize[0] + 3 * (picture.width / 2);
  return {pixel[0], pixel[1], pixel[2]};
}

Yuv YuvAtCentre(const AVFrame& picture) {
  const int x = picture.width / 2, y = picture.height / 2;
  return {picture.data[0][y * picture.linesize[0] + x],
          picture.data[1][y / 2 * picture.linesize[1] + x / 2],
          picture.data[2][y / 2 * picture.linesize[2] + x / 2]};
}

void ExpectNear(const Yuv& actual, const Yuv& expected) {
  EXPECT_LE(std::abs(actual.y - expected.y), 2) << "Y " << actual.y;
  EXPECT_LE(std::abs(actual.u - expected.u), 2) << "U " << actual.u;
  EXPECT_LE(std::abs(actual.v - expected.v), 2) << "V " << actual.v;
}

// One scaler serves pictures whose size changes (a stream that changes resolution mid-way).
TEST(VideoScaling, OneScalerFollowsAChangeOfPictureSize) {
  VideoScaler scaler(64, 48, AV_PIX_FMT_YUV420P);
  VideoScaler toRgb(64, 48, AV_PIX_FMT_RGB24);
  for (const auto& [width, height, colour] :
       {std::tuple{640, 480, testmedia::kPatternTopLeft},
        std::tuple{176, 144, testmedia::kPatternBottomLeft}}) {
    SCOPED_TRACE(width);
    ffmpeg::FramePtr picture(av_frame_alloc());
    picture->format = AV_PIX_FMT_RGB24;
    picture->width = width;
    picture->height = height;
    ASSERT_GE(av_frame_get_buffer(picture.get(), 0), 0);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        std::uint8_t* pixel = picture->data[0] + y * picture->linesize[0] + 3 * x;
        pixel[0] = static_cast<std::uint8_t>(colour.red);
        pixel[1] = static_cast<std::uint8_t>(colour.green);
        pixel[2] = static_cast<std::uint8_t>(colour.blue);
      }
    }
    const AVFrame* scaled = nullptr;
    ASSERT_EQ(scaler.Scale(*picture, &scaled), 0);
    EXPECT_EQ(scaled->width, 64);
    EXPECT_EQ(scaled->height, 48);
    const AVFrame* back = nullptr;
    ASSERT_EQ(toRgb.Scale(*scaled, &back), 0);
    for (int y : {0, 24, 47}) {
      const std::uint8_t* pixel = back->data[0] + y * back->linesize[0] + 3 * 63;
      EXPECT_LE(ColourDistance({pixel[0], pixel[1], pixel[2]}, colour), 8) << y;
    }
  }
}

// A plain YUV format may still carry full-range values, and a picture says which matrix its
// colours use; read as limited-range BT.601 regardless, dark greys crush to black and a BT.709
// green turns yellowish.
TEST(VideoScaling, ReadsThePictureInTheRangeAndMatrixItStates) {
  VideoScaler toRgb(kWidth, kHeight, AV_PIX_FMT_RGB24);
  VideoScaler toYuv(kWidth, kHeight, AV_PIX_FMT_YUV420P);
  const AVFrame* scaled = nullptr;

  const Yuv darkGrey{16, 128, 128};
  const ffmpeg::FramePtr full = FlatPicture(darkGrey, AVCOL_RANGE_JPEG, AVCOL_SPC_UNSPECIFIED);
  ASSERT_EQ(toRgb.Scale(*full, &scaled), 0);
  EXPECT_LE(ColourDistance(RgbAtCentre(*scaled), {16, 16, 16}), 3);
  // The output is limited range, as its format is.
  ASSERT_EQ(toYuv.Scale(*full, &scaled), 0);
  ExpectNear(YuvAtCentre(*scaled), {30, 128, 128});
  // A JPEG format's output is full range: the values stay (the thumbnail's case).
  VideoScaler toJpeg(kWidth, kHeight, AV_PIX_FMT_YUVJ420P);
  ASSERT_EQ(toJpeg.Scale(*full, &scaled), 0);
  ExpectNear(YuvAtCentre(*scaled), darkGrey);
  // The same values in limited range are black; one scaler follows the change.
  const ffmpeg::FramePtr limited = FlatPicture(darkGrey, AVCOL_RANGE_MPEG, AVCOL_SPC_UNSPECIFIED);
  ASSERT_EQ(toRgb.Scale(*limited, &scaled), 0);
  EXPECT_LE(ColourDistance(RgbAtCentre(*scaled), {0, 0, 0}), 3);

  const Yuv green709{173, 42, 26};
  const ffmpeg::FramePtr green = FlatPicture(green709, AVCOL_RANGE_MPEG, AVCOL_SPC_BT709);
  ASSERT_EQ(toRgb.Scale(*green, &scaled), 0);
  EXPECT_LE(ColourDistance(RgbAtCentre(*scaled), {0, 255, 0}), 6);
  // To YUV the matrix stays what it was: the values are not converted to another one.
  ASSERT_EQ(toYuv.Scale(*green, &scaled), 0);
  ExpectNear(YuvAtCentre(*scaled), green709);
  EXPECT_EQ(scaled->colorspace, AVCOL_SPC_BT709);
}

// The rotator's own scaling already brings a full-range picture into range; the turned picture
// says so, and scaling it on does not stretch the range a second time.
TEST(VideoScaling, TurnedPictureIsBroughtIntoRangeOnce) {
  const ffmpeg::FramePtr full =
      FlatPicture({16, 128, 128}, AVCOL_RANGE_JPEG, AVCOL_SPC_UNSPECIFIED);
  PictureRotator rotator(1);
  const AVFrame* upright = nullptr;
  ASSERT_EQ(rotator.Rotate(*full, &upright), 0);
  ASSERT_EQ(upright->width, kHeight);
  VideoScaler toYuv(kHeight, kWidth, AV_PIX_FMT_YUV420P);
  const AVFrame* scaled = nullptr;
  ASSERT_EQ(toYuv.Scale(*upright, &scaled), 0);
  ExpectNear(YuvAtCentre(*scaled), {30, 128, 128});
}

}  // namespace
}  // namespace varnell

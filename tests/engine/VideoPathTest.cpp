// What the video path does to the pictures: which source frames survive a lower rate, where the
// content lands after scaling, the display aspect, the clip window, a delayed video's offset,
// and the thumbnail side file. Checked picture by picture on the numbered test pattern.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "Media.h"
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

std::vector<long long> Numbers(const testmedia::VideoReport& report) {
  std::vector<long long> numbers;
  for (const auto& picture : report.pictures) numbers.push_back(picture.number);
  return numbers;
}

TEST(VideoFrameRate, ThirtyToFifteenKeepsEverySecondFrame) {
  TempFolder folder;
  const std::string source = WritePattern(Pattern(folder / "thirty.mp4"));
  const auto report = InspectPictures(
      ConvertVideo(source, folder / "fifteen.mp4", Target("MPEG4", 320, 240, 15.0)));
  const auto numbers = Numbers(report);
  ASSERT_EQ(numbers.size(), 75u);
  for (std::size_t i = 0; i < numbers.size(); ++i)
    EXPECT_EQ(numbers[i], 2 * static_cast<long long>(i)) << i;
  EXPECT_NEAR(report.framesPerSecond, 15.0, 0.01);
}

// 29.97 -> 25 drops one frame in six, at even distances, never repeating or reordering one.
TEST(VideoFrameRate, NtscToPalDropsOneInSixEvenly) {
  TempFolder folder;
  auto pattern = Pattern(folder / "ntsc.mp4");
  pattern.rateNumerator = 30000;
  pattern.rateDenominator = 1001;
  WritePattern(pattern);
  const auto numbers = Numbers(InspectPictures(
      ConvertVideo(pattern.path, folder / "pal.mp4", Target("MPEG4", 320, 240, 25.0))));
  EXPECT_NEAR(static_cast<double>(numbers.size()), 5.0 * 25, 1.0);
  ASSERT_FALSE(numbers.empty());
  EXPECT_EQ(numbers.front(), 0);
  std::vector<long long> dropped;
  for (std::size_t i = 1; i < numbers.size(); ++i) {
    ASSERT_GT(numbers[i], numbers[i - 1]) << "repeated or reordered at " << i;
    ASSERT_LE(numbers[i] - numbers[i - 1], 2) << "two frames dropped together at " << i;
    if (numbers[i] - numbers[i - 1] == 2) dropped.push_back(numbers[i] - 1);
  }
  ASSERT_GE(dropped.size(), 20u);
  for (std::size_t i = 1; i < dropped.size(); ++i) EXPECT_EQ(dropped[i] - dropped[i - 1], 6) << i;
}

// 15 -> 30: each frame once, at its own time, so the video lasts as long as its source.
TEST(VideoFrameRate, AFasterTargetKeepsEachFrameOnceAtItsTime) {
  TempFolder folder;
  auto pattern = Pattern(folder / "fifteen.mp4");
  pattern.rateNumerator = 15;
  WritePattern(pattern);
  const auto report = InspectPictures(
      ConvertVideo(pattern.path, folder / "thirty.mkv", Target("MPEG4", 320, 240, 30.0)));
  ASSERT_EQ(report.pictures.size(), 75u);
  for (std::size_t i = 0; i < report.pictures.size(); ++i) {
    EXPECT_EQ(report.pictures[i].number, static_cast<long long>(i));
    EXPECT_NEAR(report.pictures[i].seconds, i / 15.0, 1e-3) << i;
  }
}

TEST(VideoScaling, QuadrantsStayInPlaceAndTheDisplayAspectIsKept) {
  TempFolder folder;
  const std::string standard = WritePattern(Pattern(folder / "standard.mp4"));
  const auto scaled = InspectPictures(
      ConvertVideo(standard, folder / "small.mp4", Target("MPEG4", 320, 240, 30.0)));
  ASSERT_EQ(scaled.pictures.size(), 150u);
  EXPECT_EQ(scaled.width, 320);
  for (const auto& picture : scaled.pictures) {
    EXPECT_LE(ColourDistance(picture.quadrants[0], testmedia::kPatternTopLeft), kColourTolerance);
    EXPECT_LE(ColourDistance(picture.quadrants[1], testmedia::kPatternTopRight), kColourTolerance);
    EXPECT_LE(ColourDistance(picture.quadrants[2], testmedia::kPatternBottomLeft),
              kColourTolerance);
    EXPECT_LE(ColourDistance(picture.quadrants[3], testmedia::kPatternBottomRight),
              kColourTolerance);
  }
  EXPECT_NEAR(scaled.displayAspect, 4.0 / 3.0, 0.01);

  // A 16:9 picture in a 4:3 size gets wide pixels, so players still show it 16:9.
  auto wide = Pattern(folder / "wide.mp4");
  wide.height = 360;
  WritePattern(wide);
  for (const char* name : {"wide.mp4", "wide.avi", "wide.mkv"}) {
    SCOPED_TRACE(name);
    const auto report =
        InspectPictures(ConvertVideo(wide.path, folder / name, Target("MPEG4", 320, 240, 30.0)));
    EXPECT_EQ(report.height, 240);
    EXPECT_NEAR(report.displayAspect, 16.0 / 9.0, 0.01);
  }
}

// The source's keyframes are 25 frames apart, so the reader must decode from 0.83 s and
// discard up to the picture shown at 1 s.
TEST(VideoClip, OneToThreeSecondsStartsWithThePictureShownAtOneAndLastsTwo) {
  TempFolder folder;
  const std::string source = WritePattern(Pattern(folder / "pattern.mp4"));
  const auto report = InspectPictures(ConvertVideo(
      source, folder / "clip.mp4", Target("MPEG4", 320, 240, 30.0), ClipWindow{1.0, 2.0}));
  const auto numbers = Numbers(report);
  ASSERT_EQ(numbers.size(), 60u);
  EXPECT_EQ(numbers.front(), 30);
  EXPECT_EQ(numbers.back(), 89);
  EXPECT_NEAR(report.pictures.front().seconds, 0.0, 1e-6);

  // Between two frames of the source: the picture shown at 1.02 s is the one that started at 1 s.
  const auto between = InspectPictures(ConvertVideo(
      source, folder / "between.mp4", Target("MPEG4", 320, 240, 30.0), ClipWindow{1.02, 1.0}));
  ASSERT_FALSE(between.pictures.empty());
  EXPECT_EQ(between.pictures.front().number, 30);
  EXPECT_EQ(between.pictures.size(), 30u);

  try {
    ConvertVideo(source, folder / "late.mp4", Target("MPEG4", 320, 240, 30.0),
                 ClipWindow{9.0, 1.0});
    ADD_FAILURE() << "a clip after the end converted";
  } catch (const ConversionFailure& failure) {
    EXPECT_STREQ(failure.what(), "nothing to convert: the clip starts after the end of the video");
  }
}

// The source's video starts 0.5 s after its audio; the output's video must start as late.
TEST(VideoTiming, AVideoThatStartsLateKeepsItsOffset) {
  TempFolder folder;
  auto pattern = Pattern(folder / "late.mp4");
  pattern.videoDelaySeconds = 0.5;
  WritePattern(pattern);
  const auto source = InspectPictures(pattern.path);
  ASSERT_NEAR(source.pictures.front().seconds, 0.5, 1e-3);
  for (const char* name : {"late-out.mp4", "late-out.mkv"}) {
    SCOPED_TRACE(name);
    const auto report =
        InspectPictures(ConvertVideo(pattern.path, folder / name, Target("MPEG4", 320, 240, 30.0)));
    ASSERT_EQ(static_cast<long long>(report.pictures.size()),
              testmedia::PatternFrameCount(pattern));
    EXPECT_EQ(report.pictures.front().number, 0);
    EXPECT_NEAR(report.pictures.front().seconds, 0.5, 1.0 / 30);
    EXPECT_NEAR(report.pictures.back().seconds, 5.0 - 1.0 / 30, 1.0 / 30);
  }
}

// A merge: one sink, one reader after the other, each of its own size.
TEST(VideoMerge, SourcesOfDifferentSizesContinueOneStream) {
  TempFolder folder;
  auto large = Pattern(folder / "large.mp4");
  large.seconds = 2.0;
  auto small = Pattern(folder / "small.mp4");
  small.width = 320;
  small.height = 240;
  small.seconds = 1.0;
  WritePattern(large);
  WritePattern(small);
  OutputFile output(folder / "merged.mp4", *OutputFormatOfExtension(".mp4"));
  std::optional<VideoSink> sink;
  for (const auto& pattern : {large, small}) {
    VideoReader reader(pattern.path, {});
    if (!sink) {
      sink.emplace(Target("MPEG4", 320, 240, 30.0), reader.facts(), output);
      output.Start();
    }
    reader.ConnectTo(*sink);
    while (reader.Step(*sink)) {
    }
  }
  sink->Flush();
  const std::unique_ptr<ClaimedOutputFile> file = output.Complete();
  file->Publish();

  const auto report = InspectPictures(file->path());
  ASSERT_EQ(report.pictures.size(), 90u);
  for (std::size_t i = 0; i < report.pictures.size(); ++i) {
    const auto& picture = report.pictures[i];
    EXPECT_EQ(picture.number, i < 60 ? static_cast<long long>(i) : static_cast<long long>(i) - 60);
    EXPECT_LE(ColourDistance(picture.quadrants[1], testmedia::kPatternTopRight), kColourTolerance);
    EXPECT_LE(ColourDistance(picture.quadrants[2], testmedia::kPatternBottomLeft),
              kColourTolerance);
    if (i > 0) {
      EXPECT_GT(picture.seconds, report.pictures[i - 1].seconds) << i;
    }
  }
}

TEST(VideoReader, ACoverPictureIsNotAVideoStream) {
  TempFolder folder;
  auto sample = testing::Tone(folder / "covered.m4a");
  sample.jpegCover = true;
  testing::WriteSample(sample);
  try {
    VideoReader reader(sample.path, {});
    ADD_FAILURE() << "the cover was taken for video";
  } catch (const ConversionFailure& failure) {
    EXPECT_STREQ(failure.what(), "no video stream");
  }
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Thumbnail, SideFileIsA160x120JpegOfTheFirstPictureBesideAnExistingOne) {
  TempFolder folder;
  const std::string source = WritePattern(Pattern(folder / "pattern.mp4"));
  // The user's own NAME.THM stays as it is; the output and its side file take the next pair of
  // free names.
  const std::string existing = folder / "movie.THM";
  std::ofstream(existing) << "not ours";
  ThumbnailWriter thumbnail;
  EXPECT_EQ(ConvertVideo(source, folder / "movie.avi", Target("MPEG4", 320, 240, 30.0),
                         ClipWindow{}, &thumbnail),
            folder / "movie(0).avi");
  EXPECT_EQ(thumbnail.failure(), "");
  EXPECT_EQ(thumbnail.path(), folder / "movie(0).THM");
  EXPECT_EQ(Contents(existing), "not ours");

  const std::string jpeg = Contents(thumbnail.path());
  ASSERT_GE(jpeg.size(), 4u);
  EXPECT_EQ(static_cast<unsigned char>(jpeg[0]), 0xFF);  // JPEG start-of-image marker
  EXPECT_EQ(static_cast<unsigned char>(jpeg[1]), 0xD8);
  const auto report = InspectPictures(thumbnail.path());
  EXPECT_EQ(report.codec, "mjpeg");
  EXPECT_EQ(report.width, 160);
  EXPECT_EQ(report.height, 120);
  ASSERT_EQ(report.pictures.size(), 1u);
  EXPECT_EQ(report.pictures[0].number, 0);
  EXPECT_LE(ColourDistance(report.pictures[0].quadrants[2], testmedia::kPatternBottomLeft),
            kColourTolerance);

  // A side file that cannot be written is noted; the conversion itself goes on.
  ThumbnailWriter lost;
  const std::string converted = ConvertVideo(source, folder / "movie.mkv",
                                             Target("MPEG4", 320, 240, 30.0), ClipWindow{}, &lost);
  EXPECT_EQ(lost.WriteSideFile(folder / "gone/movie.mkv"), nullptr);
  EXPECT_EQ(InspectPictures(converted).pictures.size(), 150u);
  EXPECT_NE(lost.failure().find("cannot create output file"), std::string::npos) << lost.failure();
}

}  // namespace
}  // namespace varnell

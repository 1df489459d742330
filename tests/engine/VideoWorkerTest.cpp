// The per-file worker with a video preset: real pattern sources through the whole row.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "BatchRecorder.h"
#include "TempFolder.h"
#include "VideoChain.h"
#include "engine/CodecNames.h"
#include "engine/ConversionEngine.h"
#include "engine/ConversionJob.h"
#include "media/SourceFile.h"
#include "testmedia/VideoSampleWriter.h"

namespace varnell {
namespace {

using testing::InspectPictures;
using testing::Pattern;
using testing::TempFolder;
using testing::WritePattern;

OutputSettings Mpeg4Settings(int width, int height, const std::string& rate) {
  OutputSettings settings;
  settings.audioOnly = false;
  settings.videoCodecName = "MPEG4";
  settings.width = width;
  settings.height = height;
  settings.frameRateText = rate;
  settings.videoBitRate = 1000000;
  settings.audioCodecName = "MP3";
  return settings;
}

struct ConvertedRow {
  RowOutcome::Status status;
  std::string reason;
  std::string path;
};

ConvertedRow Convert(const std::string& source, const std::string& output,
                     const OutputSettings& settings, const std::string& begin = "00:00:00",
                     const std::string& end = "00:00:05") {
  Job job =
      BuildJob({{source, begin, end, "5"}}, "/nonexistent", OutputChoiceForLabel(".mp3"), settings);
  job.rows[0].outputPath = output;
  const OutputFormat* format =
      OutputFormatOfExtension(std::filesystem::path(output).extension().string());
  job.format =
      format != nullptr ? format : OutputChoiceForLabel(output).format;  // unknown: unwritable
  ConversionEngine engine;
  testing::BatchRecorder recorder;
  engine.Start(std::move(job), recorder);
  engine.Wait();
  const RowOutcome row = recorder.outcomes().at(0);
  // A completed row's note stands where a failed row's reason would.
  return {row.status, row.status == RowOutcome::Status::Failed ? row.reason : row.note,
          row.outputPath};
}

// Seconds of the output's audio stream by its last packet's end; -1 when there is none.
double AudioSeconds(const std::string& path) {
  SourceFile file;
  if (file.Open(path) < 0 || file.audioStreamIndex() == SourceFile::kNoStream) return -1.0;
  AVFormatContext* context = file.context();
  const AVStream* stream = context->streams[file.audioStreamIndex()];
  AVPacket* packet = av_packet_alloc();
  std::int64_t end = 0;
  while (av_read_frame(context, packet) >= 0) {
    if (packet->stream_index == stream->index) end = std::max(end, packet->pts + packet->duration);
    av_packet_unref(packet);
  }
  av_packet_free(&packet);
  return end * av_q2d(stream->time_base);
}

TEST(VideoWorker, VideoPresetRowWritesBothStreamsInStepWithTheSource) {
  TempFolder folder;
  const std::string source = WritePattern(Pattern(folder / "pattern.mp4"));
  const ConvertedRow row =
      Convert(source, folder / "movie.avi", Mpeg4Settings(320, 240, "15.0 fps"));
  ASSERT_EQ(row.status, RowOutcome::Status::Completed) << row.reason;
  const auto report = InspectPictures(row.path);
  EXPECT_EQ(report.codec, "mpeg4");
  EXPECT_EQ(report.width, 320);
  EXPECT_EQ(report.height, 240);
  EXPECT_NEAR(report.framesPerSecond, 15.0, 0.01);
  EXPECT_EQ(report.decodeErrors, 0);
  EXPECT_NEAR(report.pictures.size() / 15.0, 5.0, 1.0 / 15);
  EXPECT_NEAR(AudioSeconds(row.path), 5.0, 1.0 / 15);

  // A clip 1-3 s: two seconds on both streams, starting with the picture shown at 1 s.
  const ConvertedRow clip = Convert(source, folder / "clip.avi",
                                    Mpeg4Settings(320, 240, "15.0 fps"), "00:00:01", "00:00:03");
  ASSERT_EQ(clip.status, RowOutcome::Status::Completed) << clip.reason;
  const auto clipped = InspectPictures(clip.path);
  EXPECT_NEAR(clipped.pictures.size() / 15.0, 2.0, 1.0 / 15);
  ASSERT_FALSE(clipped.pictures.empty());
  EXPECT_EQ(clipped.pictures.front().number, 30);
  EXPECT_NEAR(AudioSeconds(clip.path), 2.0, 1.0 / 15);
}

TEST(VideoWorker, ASourceWithOneStreamGivesThatStreamAloneAndThumbnailModeWritesItsSideFile) {
  TempFolder folder;
  const std::string video = WritePattern(Pattern(folder / "pattern.mp4"));
  // The tone alone, as an MP3 made from the pattern.
  OutputSettings audioOnly;
  const ConvertedRow mp3 = Convert(video, folder / "tone.mp3", audioOnly);
  ASSERT_EQ(mp3.status, RowOutcome::Status::Completed) << mp3.reason;

  const ConvertedRow row =
      Convert(mp3.path, folder / "sound.avi", Mpeg4Settings(320, 240, "30.0 fps"));
  ASSERT_EQ(row.status, RowOutcome::Status::Completed) << row.reason;
  EXPECT_EQ(row.reason, "no video in the source: the file holds sound only");
  SourceFile file;
  ASSERT_GE(file.Open(row.path), 0);
  EXPECT_EQ(file.videoStreamIndex(), SourceFile::kNoStream);
  EXPECT_NEAR(AudioSeconds(row.path), 5.0, 0.05);

  // Pictures without sound (a screen recording): the output holds the video alone, whole.
  testmedia::PatternVideo silent = Pattern(folder / "silent.mp4");
  silent.withTone = false;
  const ConvertedRow pictures =
      Convert(WritePattern(silent), folder / "pictures.avi", Mpeg4Settings(320, 240, "30.0 fps"));
  ASSERT_EQ(pictures.status, RowOutcome::Status::Completed) << pictures.reason;
  SourceFile picturesOnly;
  ASSERT_GE(picturesOnly.Open(pictures.path), 0);
  EXPECT_EQ(picturesOnly.audioStreamIndex(), SourceFile::kNoStream);
  EXPECT_EQ(InspectPictures(pictures.path).pictures.size(), 150u);

  // The side file goes with the name the output gets: thumb.avi is taken, so thumb(0).avi
  // and thumb(0).THM.
  OutputSettings thumbnail = Mpeg4Settings(320, 240, "30.0 fps");
  thumbnail.thumbnail = true;
  std::ofstream(folder / "thumb.avi") << "the user's own";
  const ConvertedRow withThumbnail = Convert(video, folder / "thumb.avi", thumbnail);
  ASSERT_EQ(withThumbnail.status, RowOutcome::Status::Completed) << withThumbnail.reason;
  EXPECT_EQ(withThumbnail.path, folder / "thumb(0).avi");
  EXPECT_FALSE(std::filesystem::exists(folder / "thumb.THM"));
  const auto side = InspectPictures(folder / "thumb(0).THM");
  EXPECT_EQ(side.codec, "mjpeg");
  EXPECT_EQ(side.width, 160);
  EXPECT_EQ(side.height, 120);

  // The two are named as a pair: an unrelated short.THM moves the output to short(0).avi too.
  std::ofstream(folder / "short.THM") << "the user's own";
  const ConvertedRow paired = Convert(video, folder / "short.avi", thumbnail);
  ASSERT_EQ(paired.status, RowOutcome::Status::Completed) << paired.reason;
  EXPECT_EQ(paired.path, folder / "short(0).avi");
  EXPECT_FALSE(std::filesystem::exists(folder / "short.avi"));
  EXPECT_EQ(InspectPictures(folder / "short(0).THM").width, 160);
  std::string userText;
  std::getline(std::ifstream(folder / "short.THM"), userText);
  EXPECT_EQ(userText, "the user's own");
}

// A faststart video without sound cut to a third of its bytes: its index still says 10 s, but
// its pictures end within the first few seconds. It fails as a cut file with sound does, and
// leaves no file.
TEST(VideoWorker, ATruncatedSourceWithoutSoundFailsAndLeavesNoFile) {
  TempFolder folder;
  testmedia::VideoSampleSpec spec;
  spec.path = folder / "cut.mp4";
  spec.seconds = 10.0;
  spec.withTone = false;
  spec.fastStart = true;
  std::string error;
  ASSERT_TRUE(testmedia::WriteVideoSample(spec, &error)) << error;
  std::filesystem::resize_file(spec.path, std::filesystem::file_size(spec.path) / 3);
  TempFolder output;
  const ConvertedRow row = Convert(spec.path, output / "cut.avi",
                                   Mpeg4Settings(320, 240, "25.0 fps"), "00:00:00", "00:00:10");
  EXPECT_EQ(row.status, RowOutcome::Status::Failed);
  EXPECT_THAT(row.reason,
              ::testing::MatchesRegex(
                  "source is truncated: its video ends at [0-9]\\.[0-9] s of 10\\.0 s"));
  EXPECT_TRUE(std::filesystem::is_empty(output.path()));
}

// Targets the encoders refuse, and audio codecs a video output cannot carry, fail the row in
// words before any file exists.
TEST(VideoWorker, RefusedTargetsFailTheRowInWordsAndLeaveNoFile) {
  TempFolder folder;
  const std::string source = WritePattern(Pattern(folder / "pattern.mp4"));
  struct Refused {
    const char* output;
    const char* videoCodec;
    int width;
    const char* rate;
    const char* audioCodec;
    const char* words;
  };
  for (const Refused& refused :
       {Refused{"size.3gp", "H.263", 320, "30.0 fps", "MP3",
                "H.263 encoder: frame size 320x240 not supported"},
        Refused{"rate.mpg", "MPEG1VIDEO", 352, "10.0 fps", "MP3",
                "MPEG-1 encoder: frame rate 10 fps not supported"},
        Refused{"audio.mp4", "MPEG4", 320, "30.0 fps", "APE", "no encoder for audio codec ape"},
        Refused{"mp3.3gp", "MPEG4", 320, "30.0 fps", "MP3",
                "MP3 audio cannot be stored in the 3gp format"},
        Refused{"wma.mp4", "MPEG4", 320, "30.0 fps", "WMA8",
                "WMA audio cannot be stored in the mp4 format"}}) {
    OutputSettings settings = Mpeg4Settings(refused.width, 240, refused.rate);
    settings.videoCodecName = refused.videoCodec;
    settings.audioCodecName = refused.audioCodec;
    const ConvertedRow row = Convert(source, folder / refused.output, settings);
    EXPECT_EQ(row.status, RowOutcome::Status::Failed) << refused.output;
    EXPECT_NE(row.reason.find(refused.words), std::string::npos) << row.reason;
  }
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);  // the source alone
}

// A sideways-stored video tagged with a display matrix comes out with its pixels upright, in
// the output and in its thumbnail, and without a matrix that would turn it again.
TEST(VideoWorker, ARotatedSourceComesOutUprightWithoutADisplayMatrix) {
  using testmedia::kPatternBottomLeft, testmedia::kPatternBottomRight, testmedia::kPatternTopLeft,
      testmedia::kPatternTopRight;
  struct Turn {
    int degrees;
    std::array<testmedia::RgbColour, 4> quadrants;  // as in testmedia::InspectedPicture
  };
  TempFolder folder;
  for (const Turn& turn :
       {Turn{90, {kPatternBottomLeft, kPatternTopLeft, kPatternBottomRight, kPatternTopRight}},
        Turn{180, {kPatternBottomRight, kPatternBottomLeft, kPatternTopRight, kPatternTopLeft}},
        Turn{270, {kPatternTopRight, kPatternBottomRight, kPatternTopLeft, kPatternBottomLeft}}}) {
    SCOPED_TRACE(turn.degrees);
    const std::string name = "turned" + std::to_string(turn.degrees);
    auto pattern = Pattern(folder / (name + ".mp4"));
    pattern.seconds = 1.0;
    pattern.displayRotation = turn.degrees;
    OutputSettings settings = Mpeg4Settings(320, 240, "30.0 fps");
    settings.thumbnail = true;
    const ConvertedRow row = Convert(WritePattern(pattern), folder / (name + "-out.mp4"), settings);
    ASSERT_EQ(row.status, RowOutcome::Status::Completed) << row.reason;
    const auto output = InspectPictures(row.path);
    const auto thumbnail = InspectPictures(folder / (name + "-out.THM"));
    ASSERT_FALSE(output.pictures.empty());
    ASSERT_EQ(thumbnail.pictures.size(), 1u);
    EXPECT_EQ(output.width, 320);
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
      SCOPED_TRACE(quadrant);
      const testmedia::RgbColour& upright = turn.quadrants[quadrant];
      EXPECT_LE(ColourDistance(output.pictures[0].quadrants[quadrant], upright), 40);
      EXPECT_LE(ColourDistance(thumbnail.pictures[0].quadrants[quadrant], upright), 40);
    }
    SourceFile file;
    ASSERT_GE(file.Open(row.path), 0);
    EXPECT_EQ(av_stream_get_side_data(file.stream(file.videoStreamIndex()),
                                      AV_PKT_DATA_DISPLAYMATRIX, nullptr),
              nullptr);
  }
}

}  // namespace
}  // namespace varnell

// What a converted file holds: its length to the sample, clip ranges, channels, tags and cover.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "Conversion.h"
#include "EngineRuns.h"
#include "Media.h"
#include "TempFolder.h"

namespace varnell {
namespace {

using testing::ConversionOptions;
using testing::ConvertOne;
using testing::Inspect;
using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;
using testmedia::SampleContainer;

// One millisecond at the output rate.
long long Millisecond(int rate) { return rate / 1000; }

TEST(ConversionOutput, WholeFileMp3DecodesToTheSourceLengthAtEveryRate) {
  TempFolder folder;
  for (int rate : {22050, 44100, 48000}) {
    SCOPED_TRACE(rate);
    const auto spec = Tone(folder / ("tone" + std::to_string(rate) + ".m4a"), 2.3, rate);
    WriteSample(spec);
    ConversionOptions options;
    options.sampleRate = rate;
    const auto outcome = ConvertOne(spec.path, folder.path().string(), options);
    ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
    const auto report = Inspect(outcome.outputPath);
    EXPECT_EQ(report.formatName, "mp3");
    EXPECT_EQ(report.sampleRate, rate);
    EXPECT_EQ(report.channels, 2);
    EXPECT_NEAR(report.decodedSamples, testmedia::SampleCountOf(spec), Millisecond(rate));
    EXPECT_NEAR(report.dominantFrequencyHz(0), spec.frequencyHz, 5.0);
    EXPECT_NEAR(report.dominantFrequencyHz(1), 2 * spec.frequencyHz, 5.0);
  }
}

TEST(ConversionOutput, ResamplesAndMixesToTheTargetLayout) {
  TempFolder folder;
  const auto spec = Tone(folder / "wide.m4a", 2.0, 48000, 2);
  WriteSample(spec);
  ConversionOptions options;
  options.sampleRate = 22050;
  options.channels = 1;
  const auto outcome = ConvertOne(spec.path, folder.path().string(), options);
  ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
  const auto report = Inspect(outcome.outputPath);
  EXPECT_EQ(report.sampleRate, 22050);
  EXPECT_EQ(report.channels, 1);
  EXPECT_NEAR(report.decodedSamples, 2.0 * 22050, 2 * Millisecond(22050));
}

TEST(ConversionOutput, SurroundIsMixedDownToStereoWithoutClipping) {
  TempFolder folder;
  auto spec = Tone(folder / "surround.m4a", 2.0, 48000, 6);
  spec.amplitude = 0.9;
  WriteSample(spec);
  ConversionOptions options;
  options.sampleRate = 48000;
  const auto outcome = ConvertOne(spec.path, folder.path().string(), options);
  ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
  const auto report = Inspect(outcome.outputPath);
  EXPECT_EQ(report.channels, 2);
  EXPECT_GT(report.peak, 0.2);
  EXPECT_LE(report.peak, 1.0);
  EXPECT_NEAR(report.decodedSamples, testmedia::SampleCountOf(spec), Millisecond(48000));
}

// The source is silent for its first 2.5 s; a clip from 2 s must sound exactly 0.5 s in.
TEST(ConversionOutput, ClipStartsAtTheRequestedTimeAndLastsExactly) {
  TempFolder folder;
  for (auto container : {SampleContainer::M4a, SampleContainer::Adts}) {
    auto spec = Tone(folder / (container == SampleContainer::M4a ? "lead.m4a" : "lead.aac"), 6.0);
    spec.container = container;
    spec.silenceLeadSeconds = 2.5;
    WriteSample(spec);
    SCOPED_TRACE(spec.path);
    ConversionOptions options;
    options.start = "00:00:02";
    options.end = "00:00:04";
    const auto outcome = ConvertOne(spec.path, folder.path().string(), options);
    ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
    const auto report = Inspect(outcome.outputPath);
    EXPECT_NEAR(report.decodedSamples, 2 * 44100, Millisecond(44100));
    const long long onset = report.firstSampleAbove(0.05);
    // ADTS carries the encoder's priming in its timeline: the tone sits 1024 samples later.
    const long long priming = container == SampleContainer::Adts ? 1024 : 0;
    EXPECT_NEAR(onset, 22050 + priming, 2 * Millisecond(44100));
  }
}

TEST(ConversionOutput, ARowLeftAtItsWholeSecondEndConvertsToTheRealEnd) {
  TempFolder folder;
  const auto spec = Tone(folder / "fraction.m4a", 2.75);
  WriteSample(spec);
  // Freshly added: end time 00:00:02, which must not cut off the last 0.75 s.
  auto outcome = ConvertOne(spec.path, folder.path().string());
  ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
  EXPECT_NEAR(Inspect(outcome.outputPath).decodedSamples, testmedia::SampleCountOf(spec),
              Millisecond(44100));
  // A begin later than 0 with that end still runs to the real end.
  ConversionOptions fromOne;
  fromOne.start = "00:00:01";
  outcome = ConvertOne(spec.path, folder.path().string(), fromOne);
  ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
  EXPECT_NEAR(Inspect(outcome.outputPath).decodedSamples, testmedia::SampleCountOf(spec) - 44100,
              Millisecond(44100));
}

// The preview plays the same stream (media/StreamChoice.h; see the media tests).
TEST(ConversionOutput, TwoAudioStreamsConvertTheLaterOne) {
  TempFolder folder;
  auto spec = Tone(folder / "dual.m4a", 2.0);
  spec.secondAudioStream = true;
  spec.frequencyHz = 440;
  spec.secondFrequencyHz = 1000;
  WriteSample(spec);
  const auto outcome = ConvertOne(spec.path, folder.path().string());
  ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
  EXPECT_NEAR(Inspect(outcome.outputPath).dominantFrequencyHz(0), 1000.0, 10.0);
}

// Zeroes the first 2000 bytes of the cover stored in the file: the container still calls it a
// JPEG, but no decoder makes a picture of it.
void DamageCover(const std::string& path, const std::vector<unsigned char>& cover) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t at = bytes.find(std::string(cover.begin(), cover.end()));
  ASSERT_NE(at, std::string::npos);
  ASSERT_GT(cover.size(), 2000u);
  std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), 2000, '\0');
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A cover that does not decode is left out with a note, alone and as a merge's first file; the
// sound converts whole.
TEST(ConversionOutput, ACoverThatDoesNotDecodeIsLeftOutWithANote) {
  TempFolder folder;
  auto spec = Tone(folder / "damaged.m4a", 2.0);
  spec.jpegCover = true;
  spec.coverWidth = 320;
  spec.coverHeight = 240;
  WriteSample(spec);
  DamageCover(spec.path, Inspect(spec.path).coverBytes);
  const std::string note = "cover left out: it does not decode as a picture";

  const auto outcome = ConvertOne(spec.path, folder.path().string());
  ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
  EXPECT_EQ(outcome.note, note);
  const auto report = Inspect(outcome.outputPath);
  EXPECT_TRUE(report.coverBytes.empty());
  EXPECT_NEAR(report.decodedSamples, testmedia::SampleCountOf(spec), Millisecond(44100));

  ConversionEngine engine;
  const std::string second = testing::WriteSample(Tone(folder / "second.m4a", 1.0));
  const auto merged = testing::RunMerge(
      engine, {testing::AddedRow(spec.path), testing::AddedRow(second)}, folder.path().string());
  ASSERT_FALSE(merged.outputPath.empty()) << merged.failure;
  EXPECT_EQ(merged.rows[0].status, RowOutcome::Status::Completed);
  EXPECT_EQ(merged.rows[0].note, note);
  EXPECT_EQ(merged.rows[1].note, "");
  const auto mergedReport = Inspect(merged.outputPath);
  EXPECT_TRUE(mergedReport.coverBytes.empty());
  EXPECT_NEAR(mergedReport.decodedSamples, 3 * 44100, Millisecond(44100));
}

TEST(ConversionOutput, WmaCarriesTagsButNoCover) {
  TempFolder folder;
  auto spec = Tone(folder / "tagged.m4a", 2.0);
  spec.containerTags = {{"title", "Grüße"}, {"artist", "Björk"}};
  spec.jpegCover = true;
  WriteSample(spec);
  for (const char* encoder : {"WMA8", "WMA7"}) {
    SCOPED_TRACE(encoder);
    ConversionOptions options;
    options.profileItem = 1;
    options.audioCodecName = encoder;
    const auto outcome = ConvertOne(spec.path, folder.path().string(), options);
    ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
    const auto report = Inspect(outcome.outputPath);
    EXPECT_EQ(report.formatName, "asf");
    ASSERT_EQ(report.streams.size(), 1u);
    EXPECT_EQ(report.streams[0].codec, std::string(encoder) == "WMA8" ? "wmav2" : "wmav1");
    EXPECT_TRUE(report.coverBytes.empty());
    EXPECT_EQ(report.tags.at("title"), "Grüße");
    // WMA is exact only to about one frame (2048 samples).
    EXPECT_NEAR(report.decodedSamples, testmedia::SampleCountOf(spec), 4096);
  }
}

}  // namespace
}  // namespace varnell

// Where a file's converted sound ends: a damaged track length does not cut a song short, a
// damaged container that lets only a sliver of its stated length decode fails instead of
// giving a short file, and a stop before the first sample leaves no silent file behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "Conversion.h"
#include "Media.h"
#include "Mp4Boxes.h"
#include "TempFolder.h"
#include "engine/CodecNames.h"
#include "engine/FileConversion.h"

namespace varnell {
namespace {

using testing::ConvertOne;
using testing::Inspect;
using testing::PatchBoxField;
using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;

// mdhd (version 0): version and flags, creation, modification, time scale, then the duration.
// stts: version and flags, the entry count, then the sample count of the first entry.
TEST(TrackLength, ADamagedTrackLengthConvertsEverythingThatDecodes) {
  TempFolder folder;
  struct Damage {
    const char* name;
    const char* box;
    std::ptrdiff_t offset;
  };
  for (const Damage damage : {Damage{"mdhd", "mdhd", 16}, Damage{"stts", "stts", 8}}) {
    SCOPED_TRACE(damage.name);
    const auto spec = Tone(folder / (std::string(damage.name) + ".m4a"), 10.5);
    WriteSample(spec);
    PatchBoxField(spec.path, damage.box, damage.offset, damage.name == std::string("mdhd") ? 1 : 0);
    const auto outcome = ConvertOne(spec.path, folder.path().string());
    ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
    const auto report = Inspect(outcome.outputPath);
    EXPECT_NEAR(report.decodedSamples, testmedia::SampleCountOf(spec), 2048);
    EXPECT_EQ(report.decodeErrors, 0);
    // A clip's end is the user's, and stays exact.
    testing::ConversionOptions clip;
    clip.start = "00:00:02";
    clip.end = "00:00:04";
    const auto clipped = ConvertOne(spec.path, folder.path().string(), clip);
    ASSERT_EQ(clipped.status, RowOutcome::Status::Completed) << clipped.reason;
    EXPECT_NEAR(Inspect(clipped.outputPath).decodedSamples, 2 * 44100, 44);
  }
}

// A box removed or a field patched so that 10.5 s (so says the movie header) decode to a
// fraction of a second: the row fails in words and leaves nothing. Sources whose length is only
// an estimate from the bit rate (ADTS) or comes from an MP3's own header still convert whole.
// mdhd gone: the track has no time scale. stts (entry count, first entry's sample count, then
// its delta): every sample 0, 1 or 2^32-1 ticks long. elst (entry count, then the first
// segment's duration): a single tick of the track plays.
TEST(TrackLength, ADamagedContainerThatDecodesToAFractionOfItsLengthFails) {
  TempFolder folder;
  TempFolder output;
  struct Damage {
    const char* name;
    const char* box;
    std::ptrdiff_t offset;
    std::uint32_t value;
  };
  for (const Damage damage :
       {Damage{"nomdhd", "mdhd", -4, testing::kFreeBoxType}, Damage{"delta0", "stts", 12, 0},
        Damage{"delta1", "stts", 12, 1}, Damage{"deltamax", "stts", 12, 0xffffffff},
        Damage{"edit1", "elst", 8, 1}}) {
    SCOPED_TRACE(damage.name);
    const auto spec = Tone(folder / (std::string(damage.name) + ".m4a"), 10.5);
    WriteSample(spec);
    PatchBoxField(spec.path, damage.box, damage.offset, damage.value);
    const auto outcome = ConvertOne(spec.path, output.path().string());
    EXPECT_EQ(outcome.status, RowOutcome::Status::Failed);
    EXPECT_THAT(outcome.reason,
                ::testing::MatchesRegex(
                    "source is damaged: it decodes to 0\\.[0-9] s of the 10\\.5 s it states"));
  }
  EXPECT_TRUE(std::filesystem::is_empty(output.path()));

  using testmedia::SampleContainer;
  for (const auto container : {SampleContainer::Adts, SampleContainer::Mp3}) {
    auto spec = Tone(folder / (container == SampleContainer::Adts ? "tone.aac" : "tone.mp3"), 10.5);
    spec.container = container;
    WriteSample(spec);
    const auto outcome = ConvertOne(spec.path, output.path().string());
    ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
    EXPECT_NEAR(Inspect(outcome.outputPath).decodedSamples, testmedia::SampleCountOf(spec), 2048);
  }
}

// The stop flag is read before every packet; set before the first, it ends the file after its
// header but before any sound.
TEST(StoppedConversion, AStopBeforeTheFirstSampleKeepsNoFile) {
  TempFolder folder;
  const auto spec = Tone(folder / "tone.m4a", 2.0);
  WriteSample(spec);
  FileConversionRequest request;
  request.sourcePath = spec.path;
  request.outputPath = folder / "tone.mp3";
  request.clipLength = kClipToTheEnd;
  request.audio = {Mp3CodecId(), 128000, 44100, 2};
  const std::atomic<bool> stop{true};
  std::atomic<int> percent{0};
  const FileConversionResult result = ConvertToCompletedOutput(request, stop, percent).Publish();
  EXPECT_TRUE(result.stopped);
  EXPECT_EQ(result.outputPath, "");
  EXPECT_FALSE(std::filesystem::exists(folder / "tone.mp3"));
}

}  // namespace
}  // namespace varnell

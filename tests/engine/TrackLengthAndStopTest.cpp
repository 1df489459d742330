// Where a file's converted sound ends: a damaged track length does not cut a song short, and a
// stop before the first sample leaves no silent file behind.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "Conversion.h"
#include "Media.h"
#include "TempFolder.h"
#include "engine/CodecNames.h"
#include "engine/FileConversion.h"

namespace varnell {
namespace {

using testing::ConvertOne;
using testing::Inspect;
using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;

// Overwrites the big-endian 32-bit field `offset` bytes after the type of the first `box`.
void PatchBoxField(const std::string& path, const std::string& box, std::size_t offset,
                   std::uint32_t value) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  const std::size_t at = bytes.find(box);
  ASSERT_NE(at, std::string::npos) << box;
  file.seekp(static_cast<std::streamoff>(at + box.size() + offset));
  const char field[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                         static_cast<char>(value >> 8), static_cast<char>(value)};
  file.write(field, sizeof field);
  ASSERT_TRUE(file.good());
}

// mdhd (version 0): version and flags, creation, modification, time scale, then the duration.
// stts: version and flags, the entry count, then the sample count of the first entry.
TEST(TrackLength, ADamagedTrackLengthConvertsEverythingThatDecodes) {
  TempFolder folder;
  struct Damage {
    const char* name;
    const char* box;
    std::size_t offset;
  };
  for (const Damage damage : {Damage{"mdhd", "mdhd", 16}, Damage{"stts", "stts", 8}}) {
    SCOPED_TRACE(damage.name);
    const auto spec = Tone(folder / (std::string(damage.name) + ".m4a"), 10.5);
    WriteSample(spec);
    PatchBoxField(spec.path, damage.box, damage.offset, damage.name == std::string("mdhd") ? 1 : 0);
    const auto outcome = ConvertOne(spec.path, folder.path().string());
    ASSERT_EQ(outcome.status, kTaskCompleted) << outcome.reason;
    const auto report = Inspect(outcome.outputPath);
    EXPECT_NEAR(report.decodedSamples, testmedia::SampleCountOf(spec), 2048);
    EXPECT_EQ(report.decodeErrors, 0);
    // A clip's end is the user's, and stays exact.
    testing::ConversionOptions clip;
    clip.start = "00:00:02";
    clip.end = "00:00:04";
    const auto clipped = ConvertOne(spec.path, folder.path().string(), clip);
    ASSERT_EQ(clipped.status, kTaskCompleted) << clipped.reason;
    EXPECT_NEAR(Inspect(clipped.outputPath).decodedSamples, 2 * 44100, 44);
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

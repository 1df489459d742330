#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Media.h"
#include "TempFolder.h"
#include "engine/CodecNames.h"
#include "engine/MediaInformation.h"
#include "engine/SourceProbe.h"

namespace varnell {
namespace {

using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;

TEST(Probe, AudioOnlyFileReportsItsAudioAndZeroVideo) {
  TempFolder folder;
  const auto spec = Tone(folder / "tone.m4a", 3.5, 48000, 1);
  WriteSample(spec);
  const ProbeResult probe = ProbeSource(spec.path);
  ASSERT_TRUE(probe.ok()) << probe.failureReason;
  EXPECT_EQ(probe.videoStreamIndex, -1);
  EXPECT_EQ(probe.audioStreamIndex, 0);
  EXPECT_EQ(probe.sampleRate, 48000);
  EXPECT_EQ(probe.channels, 1);
  EXPECT_EQ(probe.audioCodecId, *AudioCodecIdFromName("AAC"));
  EXPECT_GT(probe.audioBitRate, 0);
  EXPECT_EQ(probe.width, 0);
  EXPECT_EQ(probe.height, 0);
  EXPECT_EQ(probe.videoCodecId, 0);
  EXPECT_EQ(probe.videoBitRate, 0);
  EXPECT_EQ(probe.durationSeconds, 3);
  EXPECT_NEAR(probe.durationMicroseconds, 3500000, 30000);

  const MediaInformation info = DescribeProbedMedia(probe, spec.path, "00:00:03");
  EXPECT_EQ(info.sampleRate, "48000");
  EXPECT_EQ(info.channels, "1");
  EXPECT_EQ(info.frameRate, "");  // no video: no frame rate, not a stale one
}

// A song's cover is an attached picture, which FFmpeg lists as a video stream: it must not make
// the song a video (no size, no frame rate, no decoder needed for it).
TEST(Probe, ACoverIsNotVideoAndTheLastAudioStreamIsTheSound) {
  TempFolder folder;
  auto spec = Tone(folder / "both.m4a");
  spec.secondAudioStream = true;
  spec.jpegCover = true;
  WriteSample(spec);
  const ProbeResult probe = ProbeSource(spec.path);
  ASSERT_TRUE(probe.ok()) << probe.failureReason;
  const auto report = testing::Inspect(spec.path);
  int lastAudio = -1;
  bool coverListed = false;
  for (int i = 0; i < static_cast<int>(report.streams.size()); ++i) {
    if (report.streams[i].type == "audio") lastAudio = i;
    coverListed = coverListed || report.streams[i].attachedPicture;
  }
  ASSERT_TRUE(coverListed);
  EXPECT_EQ(probe.audioStreamIndex, lastAudio);
  EXPECT_EQ(probe.videoStreamIndex, -1);
  EXPECT_EQ(probe.width, 0);
  EXPECT_EQ(probe.height, 0);
  EXPECT_EQ(probe.videoCodecId, 0);
  EXPECT_EQ(probe.frameRateNum, 0);
  EXPECT_EQ(DescribeProbedMedia(probe, spec.path, "00:00:02").frameRate, "");
}

// An audiobook's chapters, from the MP4 chapter track FFmpeg reads back, with titles as written.
TEST(Probe, ListsTheChaptersOfAnAudiobook) {
  TempFolder folder;
  auto spec = Tone(folder / "book.m4b", 6.0, 44100, 1);
  spec.chapters = {{0.0, 2.5, "Erstes Kapitel — Anfang"}, {2.5, 4.125, "Two"}, {4.125, 6.0, ""}};
  WriteSample(spec);
  const ProbeResult probe = ProbeSource(spec.path);
  ASSERT_TRUE(probe.ok()) << probe.failureReason;
  ASSERT_EQ(probe.chapters.size(), 3u);
  EXPECT_EQ(probe.chapters[0].title, "Erstes Kapitel — Anfang");
  EXPECT_DOUBLE_EQ(probe.chapters[1].startSeconds, 2.5);
  EXPECT_DOUBLE_EQ(probe.chapters[1].endSeconds, 4.125);
  EXPECT_EQ(probe.chapters[2].title, "");
  EXPECT_NEAR(probe.chapters[2].endSeconds, 6.0, 0.001);
}

TEST(Probe, FilesThatCannotBeOpenedSayWhy) {
  TempFolder folder;
  const std::string empty = folder / "empty.m4a";
  std::ofstream(empty).close();
  const std::string text = folder / "notes.m4a";
  std::ofstream(text) << "These are my shopping notes, not a recording.\n";
  const std::string missing = folder / "missing.m4a";

  for (const std::string& path : {empty, text, missing, folder.path().string()}) {
    SCOPED_TRACE(path);
    const ProbeResult probe = ProbeSource(path);
    EXPECT_EQ(probe.failure, ProbeResult::Failure::CannotOpen);
    EXPECT_FALSE(probe.failureReason.empty());
    EXPECT_FALSE(probe.unconvertibleReason().empty());
  }
  EXPECT_EQ(ProbeSource(missing).failureReason, "cannot open source: No such file or directory");
}

TEST(Probe, TruncatedFileWithIndexAtTheEndCannotBeOpened) {
  TempFolder folder;
  const auto spec = Tone(folder / "cut.m4a", 4.0);
  WriteSample(spec);
  std::filesystem::resize_file(spec.path, std::filesystem::file_size(spec.path) / 2);
  EXPECT_FALSE(ProbeSource(spec.path).ok());
}

}  // namespace
}  // namespace varnell

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Media.h"
#include "TempFolder.h"
#include "engine/AVConvert.h"
#include "engine/CodecNames.h"
#include "engine/MediaInformation.h"

namespace varnell {
namespace {

using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;

int Probe(AVConvert& engine, const std::string& path) {
  engine.probePath = path;
  return engine.ProbeSourceFile();
}

TEST(Probe, AudioOnlyFileReportsItsAudioAndZeroVideo) {
  TempFolder folder;
  const auto spec = Tone(folder / "tone.m4a", 3.5, 48000, 1);
  WriteSample(spec);
  AVConvert engine;
  ASSERT_EQ(Probe(engine, spec.path), kProbeOk) << engine.probeFailureReason();
  EXPECT_EQ(engine.videoStreamIndex, -1);
  EXPECT_EQ(engine.audioStreamIndex, 0);
  EXPECT_EQ(engine.sampleRate, 48000);
  EXPECT_EQ(engine.channels, 1);
  EXPECT_EQ(engine.audioCodecId, *AudioCodecIdFromName("AAC"));
  EXPECT_GT(engine.audioBitRate, 0);
  EXPECT_EQ(engine.sourceWidth, 0);
  EXPECT_EQ(engine.sourceHeight, 0);
  EXPECT_EQ(engine.videoCodecId, 0);
  EXPECT_EQ(engine.videoBitRate, 0);
  EXPECT_EQ(engine.durationSeconds, 3);
  EXPECT_NEAR(engine.durationMicroseconds, 3500000, 30000);
  EXPECT_EQ(engine.fileSize, static_cast<int>(std::filesystem::file_size(spec.path)));

  const MediaInformation info = DescribeProbedMedia(engine, spec.path, "00:00:03");
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
  AVConvert engine;
  ASSERT_EQ(Probe(engine, spec.path), kProbeOk) << engine.probeFailureReason();
  const auto report = testing::Inspect(spec.path);
  int lastAudio = -1;
  bool coverListed = false;
  for (int i = 0; i < static_cast<int>(report.streams.size()); ++i) {
    if (report.streams[i].type == "audio") lastAudio = i;
    coverListed = coverListed || report.streams[i].attachedPicture;
  }
  ASSERT_TRUE(coverListed);
  EXPECT_EQ(engine.audioStreamIndex, lastAudio);
  EXPECT_EQ(engine.videoStreamIndex, -1);
  EXPECT_EQ(engine.sourceWidth, 0);
  EXPECT_EQ(engine.sourceHeight, 0);
  EXPECT_EQ(engine.videoCodecId, 0);
  EXPECT_EQ(engine.frameRateNum, 0);
  EXPECT_EQ(DescribeProbedMedia(engine, spec.path, "00:00:02").frameRate, "");
}

TEST(Probe, FilesThatCannotBeOpenedGiveMinusOneWithAReason) {
  TempFolder folder;
  const std::string empty = folder / "empty.m4a";
  std::ofstream(empty).close();
  const std::string text = folder / "notes.m4a";
  std::ofstream(text) << "These are my shopping notes, not a recording.\n";
  const std::string missing = folder / "missing.m4a";

  AVConvert engine;
  for (const std::string& path : {empty, text, missing, folder.path().string()}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(Probe(engine, path), kProbeCannotOpen);
    EXPECT_FALSE(engine.probeFailureReason().empty());
  }
  Probe(engine, missing);
  EXPECT_EQ(engine.probeFailureReason(), "cannot open source: No such file or directory");
}

TEST(Probe, TruncatedFileWithIndexAtTheEndCannotBeOpened) {
  TempFolder folder;
  const auto spec = Tone(folder / "cut.m4a", 4.0);
  WriteSample(spec);
  std::filesystem::resize_file(spec.path, std::filesystem::file_size(spec.path) / 2);
  AVConvert engine;
  EXPECT_LT(Probe(engine, spec.path), 0);
}

}  // namespace
}  // namespace varnell

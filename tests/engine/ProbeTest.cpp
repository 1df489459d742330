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

TEST(Probe, LastStreamOfEachTypeWinsAndTheCoverIsAVideoStream) {
  TempFolder folder;
  auto spec = Tone(folder / "both.m4a");
  spec.secondAudioStream = true;
  spec.jpegCover = true;
  spec.coverWidth = 80;
  spec.coverHeight = 60;
  WriteSample(spec);
  AVConvert engine;
  ASSERT_EQ(Probe(engine, spec.path), kProbeOk) << engine.probeFailureReason();
  const auto report = testing::Inspect(spec.path);
  int lastAudio = -1;
  int video = -1;
  for (int i = 0; i < static_cast<int>(report.streams.size()); ++i) {
    if (report.streams[i].type == "audio") lastAudio = i;
    if (report.streams[i].type == "video") video = i;
  }
  EXPECT_EQ(engine.audioStreamIndex, lastAudio);
  EXPECT_EQ(engine.videoStreamIndex, video);
  EXPECT_EQ(engine.sourceWidth, 80);
  EXPECT_EQ(engine.sourceHeight, 60);
  EXPECT_EQ(engine.videoCodecId, *VideoCodecIdFromName("M-JPEG"));
  // MP4 gives a cover the 90 kHz tick rate as its frame rate: above 1000 fps the rate is
  // read as NUM/1001, and the whole frames per second are kept.
  EXPECT_EQ(engine.frameRateNum, 90000);
  EXPECT_EQ(engine.frameRateDen, 1001);
  EXPECT_EQ(engine.sourceFrameRate, 89.0);
  EXPECT_EQ(DescribeProbedMedia(engine, spec.path, "00:00:02").frameRate, "89.91 fps");

  // A later probe of a file without video leaves nothing of this one behind.
  const auto plain = Tone(folder / "plain.m4a");
  WriteSample(plain);
  ASSERT_EQ(Probe(engine, plain.path), kProbeOk);
  EXPECT_EQ(engine.videoStreamIndex, -1);
  EXPECT_EQ(engine.sourceWidth, 0);
  EXPECT_EQ(engine.frameRateNum, 0);
  EXPECT_EQ(engine.frameRateDen, 0);
  EXPECT_EQ(DescribeProbedMedia(engine, plain.path, "00:00:02").frameRate, "");
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

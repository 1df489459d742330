// Checks the test-media helpers against FFmpeg's own reading of the files they write,
// so the engine tests can trust both the generated inputs and the measurements they
// take on converted outputs.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "testmedia/MediaInspector.h"
#include "testmedia/SampleMediaWriter.h"

namespace varnell::testmedia {
namespace {

constexpr long long kAacFrame = 1024;

long long RoundUpToAacFrames(long long samples) {
  return (samples + kAacFrame - 1) / kAacFrame * kAacFrame;
}

class TestMediaFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "varnell-testmedia-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string pathFor(const std::string& name) const { return (folder_ / name).string(); }

  MediaReport writeAndInspect(const SampleSpec& sample, int audioStream = -1) {
    std::string error;
    EXPECT_TRUE(WriteSampleMedia(sample, &error)) << error;
    MediaReport report;
    EXPECT_TRUE(InspectMedia(sample.path, report, &error, audioStream)) << error;
    return report;
  }

  std::filesystem::path folder_;
};

struct LayoutCase {
  int sampleRate;
  int channels;
};

void PrintTo(const LayoutCase& layout, std::ostream* out) {
  *out << layout.sampleRate << " Hz, " << layout.channels << " ch";
}

class M4aLayouts : public TestMediaFolder, public ::testing::WithParamInterface<LayoutCase> {};

// The mov demuxer's edit list removes the encoder's priming, but FFmpeg 5.1 does not trim
// the padding of the last AAC frame: the decoder returns whole 1024-sample frames while the
// track duration still states the exact length written.
TEST_P(M4aLayouts, DecodesWholeFramesOfTheRequestedTonesWithPrimingRemoved) {
  SampleSpec sample;
  sample.path = pathFor("tone.m4a");
  sample.sampleRate = GetParam().sampleRate;
  sample.channels = GetParam().channels;
  sample.seconds = 1.5;
  sample.bitRate = 64000 * sample.channels;
  const MediaReport report = writeAndInspect(sample);

  EXPECT_EQ(report.formatName, "mov,mp4,m4a,3gp,3g2,mj2");
  ASSERT_EQ(report.streams.size(), 1u);
  EXPECT_EQ(report.streams[0].codec, "aac");
  EXPECT_EQ(report.sampleRate, sample.sampleRate);
  ASSERT_EQ(report.channels, sample.channels);
  if (sample.channels == 6) {
    EXPECT_EQ(report.channelLayout, "5.1");
  }
  EXPECT_EQ(report.claimedSamples, SampleCountOf(sample));
  EXPECT_EQ(report.decodedSamples, RoundUpToAacFrames(SampleCountOf(sample)));
  EXPECT_EQ(report.decodeErrors, 0);
  for (int c = 0; c < report.channels; ++c) {
    if (sample.channels == 6 && c == 3) {
      // The aac encoder low-passes the LFE channel, so its 4x tone does not survive.
      continue;
    }
    EXPECT_NEAR(report.dominantFrequencyHz(c), sample.frequencyHz * (1 + c), 0.5)
        << "channel " << c;
  }
  if (sample.channels <= 2) {
    EXPECT_NEAR(report.peak, sample.amplitude, 0.03);
  }
}

INSTANTIATE_TEST_SUITE_P(RatesAndChannels, M4aLayouts,
                         ::testing::Values(LayoutCase{22050, 1}, LayoutCase{22050, 2},
                                           LayoutCase{44100, 1}, LayoutCase{44100, 2},
                                           LayoutCase{44100, 6}, LayoutCase{48000, 2},
                                           LayoutCase{48000, 6}),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) {
                           return std::to_string(info.param.sampleRate) + "Hz" +
                                  std::to_string(info.param.channels) + "ch";
                         });

using SampleLength = TestMediaFolder;

TEST_F(SampleLength, M4aIsExactWhenTheLengthIsWholeAacFrames) {
  SampleSpec sample;
  sample.path = pathFor("frames.m4a");
  sample.seconds = 43.0 * kAacFrame / sample.sampleRate;
  const MediaReport report = writeAndInspect(sample);
  EXPECT_EQ(report.decodedSamples, 43 * kAacFrame);
}

// Raw ADTS has no edit list, so the priming frame is decoded as leading silence.
TEST_F(SampleLength, AdtsKeepsTheEncoderPrimingFrame) {
  SampleSpec sample;
  sample.path = pathFor("tone.aac");
  sample.container = SampleContainer::Adts;
  sample.silenceLeadSeconds = 0.25;
  const MediaReport report = writeAndInspect(sample);

  EXPECT_EQ(report.formatName, "aac");
  EXPECT_EQ(report.decodedSamples, kAacFrame + RoundUpToAacFrames(SampleCountOf(sample)));
  const long long onset = report.firstSampleAbove(0.01);
  EXPECT_GE(onset, kAacFrame + LeadSilenceSamplesOf(sample));
  EXPECT_LE(onset, kAacFrame + LeadSilenceSamplesOf(sample) + 4);

  std::ifstream file(sample.path, std::ios::binary);
  unsigned char header[2] = {};
  ASSERT_TRUE(file.read(reinterpret_cast<char*>(header), 2));
  EXPECT_EQ(header[0], 0xFF);
  EXPECT_EQ(header[1] & 0xF0, 0xF0) << "ADTS sync word";
}

// The LAME tag's delay and padding must be honoured, as a gapless player does.
TEST_F(SampleLength, Mp3DecodesToTheExactLengthWritten) {
  SampleSpec sample;
  sample.path = pathFor("tone.mp3");
  sample.container = SampleContainer::Mp3;
  sample.seconds = 1.3;
  sample.silenceLeadSeconds = 0.2;
  const MediaReport report = writeAndInspect(sample);

  EXPECT_EQ(report.formatName, "mp3");
  EXPECT_EQ(report.decodedSamples, SampleCountOf(sample));
  const long long onset = report.firstSampleAbove(0.01);
  EXPECT_GE(onset, LeadSilenceSamplesOf(sample));
  EXPECT_LE(onset, LeadSilenceSamplesOf(sample) + 4);
}

TEST_F(SampleLength, M4aToneStartsOnTheLeadSilenceSample) {
  SampleSpec sample;
  sample.path = pathFor("lead.m4a");
  sample.sampleRate = 48000;
  sample.silenceLeadSeconds = 0.75;
  const MediaReport report = writeAndInspect(sample);
  const long long onset = report.firstSampleAbove(0.01);
  EXPECT_GE(onset, LeadSilenceSamplesOf(sample));
  EXPECT_LE(onset, LeadSilenceSamplesOf(sample) + 4);
}

using SampleExtras = TestMediaFolder;

TEST_F(SampleExtras, M4aCarriesUtf8TagsCoverAndASecondTone) {
  SampleSpec sample;
  sample.path = pathFor("extras.m4a");
  sample.containerTags = {{"title", "Grüße"}, {"artist", "Björk"}, {"album", "日本語のアルバム"}};
  sample.jpegCover = true;
  sample.coverWidth = 80;
  sample.coverHeight = 60;
  sample.secondAudioStream = true;
  sample.secondFrequencyHz = 1000.0;
  const MediaReport last = writeAndInspect(sample);

  ASSERT_EQ(last.streams.size(), 3u);
  EXPECT_EQ(last.streams[0].codec, "aac");
  EXPECT_EQ(last.streams[1].codec, "aac");
  EXPECT_EQ(last.streams[2].type, "video");
  EXPECT_EQ(last.streams[2].codec, "mjpeg");
  EXPECT_TRUE(last.streams[2].attachedPicture);
  EXPECT_EQ(last.streams[2].width, 80);
  EXPECT_EQ(last.streams[2].height, 60);
  ASSERT_GT(last.coverBytes.size(), 4u);
  EXPECT_EQ(last.coverBytes[0], 0xFF);
  EXPECT_EQ(last.coverBytes[1], 0xD8);
  EXPECT_EQ(last.coverBytes.back(), 0xD9);

  for (const auto& [key, value] : sample.containerTags) {
    EXPECT_EQ(last.tags.count(key) ? last.tags.at(key) : "<missing>", value) << key;
  }
  EXPECT_EQ(last.audioStreamIndex, 1);
  EXPECT_NEAR(last.dominantFrequencyHz(0), 1000.0, 0.5);
  EXPECT_NEAR(last.dominantFrequencyHz(1), 2000.0, 0.5);

  MediaReport first;
  std::string error;
  ASSERT_TRUE(InspectMedia(sample.path, first, &error, 0)) << error;
  EXPECT_NEAR(first.dominantFrequencyHz(0), 440.0, 0.5);
  EXPECT_FALSE(InspectMedia(sample.path, first, &error, 2)) << "stream 2 is the cover";
  EXPECT_FALSE(error.empty());
}

TEST_F(SampleExtras, Mp3CarriesTagsAndCover) {
  SampleSpec sample;
  sample.path = pathFor("extras.mp3");
  sample.container = SampleContainer::Mp3;
  sample.containerTags = {{"title", "Grüße"}, {"artist", "Björk"}};
  sample.jpegCover = true;
  const MediaReport report = writeAndInspect(sample);
  ASSERT_EQ(report.streams.size(), 2u);
  EXPECT_TRUE(report.streams[1].attachedPicture);
  EXPECT_FALSE(report.coverBytes.empty());
  EXPECT_EQ(report.tags.count("title") ? report.tags.at("title") : "", "Grüße");
  EXPECT_EQ(report.tags.count("artist") ? report.tags.at("artist") : "", "Björk");
}

// Top-level box types in file order.
std::vector<std::string> TopLevelBoxes(const std::string& path) {
  std::vector<std::string> boxes;
  std::ifstream file(path, std::ios::binary);
  unsigned char header[8];
  while (file.read(reinterpret_cast<char*>(header), 8)) {
    unsigned long long size =
        (0ULL + header[0]) << 24 | header[1] << 16 | header[2] << 8 | header[3];
    boxes.emplace_back(reinterpret_cast<char*>(header) + 4, 4);
    if (size == 1) {
      unsigned char large[8];
      if (!file.read(reinterpret_cast<char*>(large), 8)) break;
      size = 0;
      for (unsigned char byte : large) size = size << 8 | byte;
      file.seekg(static_cast<std::streamoff>(size - 16), std::ios::cur);
    } else if (size >= 8) {
      file.seekg(static_cast<std::streamoff>(size - 8), std::ios::cur);
    } else {
      break;
    }
  }
  return boxes;
}

long long PositionOf(const std::vector<std::string>& boxes, const std::string& type) {
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (boxes[i] == type) return static_cast<long long>(i);
  }
  return -1;
}

TEST_F(SampleExtras, FastStartMovesTheMovieBoxAheadOfTheMediaData) {
  SampleSpec sample;
  sample.path = pathFor("plain.m4a");
  std::string error;
  ASSERT_TRUE(WriteSampleMedia(sample, &error)) << error;
  const auto plain = TopLevelBoxes(sample.path);
  ASSERT_GE(PositionOf(plain, "moov"), 0);
  EXPECT_GT(PositionOf(plain, "moov"), PositionOf(plain, "mdat"));

  sample.path = pathFor("fast.m4a");
  sample.fastStart = true;
  ASSERT_TRUE(WriteSampleMedia(sample, &error)) << error;
  const auto fast = TopLevelBoxes(sample.path);
  ASSERT_GE(PositionOf(fast, "mdat"), 0);
  EXPECT_LT(PositionOf(fast, "moov"), PositionOf(fast, "mdat"));
  MediaReport report;
  ASSERT_TRUE(InspectMedia(sample.path, report, &error)) << error;
  EXPECT_EQ(report.claimedSamples, SampleCountOf(sample));
}

using SampleFailures = TestMediaFolder;

TEST_F(SampleFailures, ImpossibleRequestsFailWithAReasonAndLeaveNoFile) {
  struct Case {
    const char* what;
    SampleSpec sample;
  };
  std::vector<Case> cases(6);
  cases[0] = {"three channels", {}};
  cases[0].sample.channels = 3;
  cases[1] = {"6 channels of mp3", {}};
  cases[1].sample.container = SampleContainer::Mp3;
  cases[1].sample.channels = 6;
  cases[2] = {"second stream in ADTS", {}};
  cases[2].sample.container = SampleContainer::Adts;
  cases[2].sample.secondAudioStream = true;
  cases[3] = {"cover in ADTS", {}};
  cases[3].sample.container = SampleContainer::Adts;
  cases[3].sample.jpegCover = true;
  cases[4] = {"zero length", {}};
  cases[4].sample.seconds = 0.0;
  cases[5] = {"mp3 at 7 kHz", {}};
  cases[5].sample.container = SampleContainer::Mp3;
  cases[5].sample.sampleRate = 7000;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    cases[i].sample.path = pathFor("bad" + std::to_string(i));
    std::string error;
    EXPECT_FALSE(WriteSampleMedia(cases[i].sample, &error)) << cases[i].what;
    EXPECT_FALSE(error.empty()) << cases[i].what;
    EXPECT_FALSE(std::filesystem::exists(cases[i].sample.path)) << cases[i].what;
  }

  SampleSpec unwritable;
  unwritable.path = pathFor("missing-folder/x.m4a");
  std::string error;
  EXPECT_FALSE(WriteSampleMedia(unwritable, &error));
  EXPECT_NE(error.find("missing-folder"), std::string::npos) << error;
}

TEST_F(SampleFailures, InspectorRejectsMissingAndNonMediaFiles) {
  MediaReport report;
  std::string error;
  EXPECT_FALSE(InspectMedia(pathFor("absent.mp3"), report, &error));
  EXPECT_FALSE(error.empty());

  const std::string text = pathFor("notes.mp3");
  std::ofstream(text) << "not audio at all\n";
  error.clear();
  EXPECT_FALSE(InspectMedia(text, report, &error));
  EXPECT_FALSE(error.empty());
}

// The measurements themselves, on exact synthetic signals with no codec in between.
TEST(MediaReportMeasures, FindOnsetAndFrequencyOnExactSignals) {
  MediaReport report;
  report.sampleRate = 48000;
  report.channels = 2;
  report.samples.assign(2, std::vector<float>(48000, 0.0f));
  EXPECT_EQ(report.firstSampleAbove(0.0), -1);
  EXPECT_EQ(report.dominantFrequencyHz(0), 0.0);

  constexpr int kOnset = 12000;
  for (int i = kOnset; i < 48000; ++i) {
    const double t = static_cast<double>(i - kOnset) / 48000;
    report.samples[0][i] = static_cast<float>(0.3 * std::sin(2 * std::numbers::pi * 1234.5 * t));
    // A weaker second component must not pull the estimate away from the strongest one.
    report.samples[1][i] = static_cast<float>(0.4 * std::sin(2 * std::numbers::pi * 97.0 * t) +
                                              0.1 * std::sin(2 * std::numbers::pi * 3000.0 * t));
  }
  report.samples[1][kOnset - 1] = 0.2f;
  report.samples[0][kOnset + 100] = -0.9f;
  EXPECT_EQ(report.firstSampleAbove(0.1), kOnset - 1);
  EXPECT_EQ(report.firstSampleAbove(0.6), kOnset + 100);
  EXPECT_NEAR(report.dominantFrequencyHz(0), 1234.5, 0.05);
  EXPECT_NEAR(report.dominantFrequencyHz(1), 97.0, 0.05);
  EXPECT_EQ(report.dominantFrequencyHz(2), 0.0);
}

}  // namespace
}  // namespace varnell::testmedia

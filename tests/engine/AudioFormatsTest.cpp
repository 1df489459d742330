// Every audio encoder in a container that takes it: what the file holds, its length to the sample
// where the container can state it, a clip's start and end, a deep source's 24 bits, the MP4
// gapless tag, the quality settings and the targets an encoder refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <tuple>
#include <utility>
#include <vector>

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

// How exactly the file gives back the audio's length.
enum class LengthClass {
  Exact,   // it decodes to the length, and a clip starts and ends, within 1 ms
  Stated,  // it states the length exactly; FFmpeg's mov demuxer cuts the end only to a frame
  Frames,  // nothing says where the encoder's priming and padding are: less than `slack` more
};

struct FormatCase {
  const char* extension;
  const char* encoder;
  const char* codec;  // FFmpeg's name for what the file holds
  int rate;           // the target's; an Opus file is at 48000 Hz for a rate Opus does not take
  int channels;
  int bits;  // the coded depth of a lossless file; 0 for a lossy one
  LengthClass length;
  int slack = 0;  // Frames: priming and one frame
  int vbrQuality = -1;
};

long long AtRate(long long samples, int rate) { return std::llround(samples * (rate / 44100.0)); }
long long MillisecondAt(int rate) { return rate / 1000; }

TEST(AudioFormats, EachEncoderWritesItsContainerToTheLengthTheContainerCanState) {
  TempFolder folder;
  // The tone starts 1.3 s in: a clip from 1 s to 2 s sounds 0.3 s after its start.
  auto spec = Tone(folder / "tone.m4a", 3.4567);  // not a whole number of milliseconds
  spec.silenceLeadSeconds = 1.3;
  WriteSample(spec);
  const auto source = Inspect(spec.path);
  const long long sourceOnset = source.firstSampleAbove(0.05);
  // The source's own length is what its edit list states, rounded to a millisecond by the muxer
  // that wrote it.
  const long long n = source.claimedSamples;
  ASSERT_NEAR(n, testmedia::SampleCountOf(spec), MillisecondAt(44100));

  const std::vector<FormatCase> cases{
      {".mp3", "MP3", "mp3", 44100, 2, 0, LengthClass::Exact},
      {".mp3", "MP3", "mp3", 44100, 2, 0, LengthClass::Exact, 0, 2},  // LAME V2
      {".m4a", "AAC", "aac", 44100, 2, 0, LengthClass::Stated},
      // Not a whole number of milliseconds at 48000 Hz either.
      {".m4a", "AAC", "aac", 48000, 6, 0, LengthClass::Stated, 0, 3},
      {".m4a", "ALAC", "alac", 44100, 2, 16, LengthClass::Exact},
      {".ogg", "VORBIS", "vorbis", 44100, 2, 0, LengthClass::Exact},
      {".opus", "OPUS", "opus", 44100, 2, 0, LengthClass::Exact},
      {".opus", "OPUS", "opus", 44100, 6, 0, LengthClass::Exact},
      {".flac", "FLAC", "flac", 44100, 2, 16, LengthClass::Exact},
      {".wav", "PCM_S16LE", "pcm_s16le", 44100, 6, 16, LengthClass::Exact},
      {".aiff", "PCM_S16BE", "pcm_s16be", 44100, 2, 16, LengthClass::Exact},
      {".au", "PCM_S16BE", "pcm_s16be", 44100, 2, 16, LengthClass::Exact},
      {".aac", "AAC", "aac", 44100, 2, 0, LengthClass::Frames, 1024 + 1024},
      {".ac3", "AC3", "ac3", 44100, 6, 0, LengthClass::Frames, 1536},
      {".mp2", "MP2", "mp2", 44100, 2, 0, LengthClass::Frames, 1152},
      {".ra", "AC3", "ac3", 44100, 2, 0, LengthClass::Frames, 1536},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(std::string(c.extension) + " " + c.encoder + " " + std::to_string(c.channels));
    ConversionOptions options;
    options.extension = c.extension;
    options.audioCodecName = c.encoder;
    options.channels = c.channels;
    options.sampleRate = c.rate;
    options.vbrQuality = c.vbrQuality;
    // A lossless encoder has no use for a bit rate.
    if (c.bits > 0) options.audioBitRate = 0;
    const auto whole = ConvertOne(spec.path, folder.path().string(), options);
    ASSERT_EQ(whole.status, RowOutcome::Status::Completed) << whole.reason;
    const auto report = Inspect(whole.outputPath);
    ASSERT_GE(report.audioStreamIndex, 0);
    const auto& stream = report.streams[static_cast<std::size_t>(report.audioStreamIndex)];
    EXPECT_EQ(stream.codec, c.codec);
    const int rate = std::string(c.encoder) == "OPUS" ? 48000 : c.rate;
    EXPECT_EQ(report.sampleRate, rate);
    EXPECT_EQ(report.channels, c.channels);
    if (c.bits > 0) {
      EXPECT_EQ(stream.bitsPerSample, c.bits);
    }
    EXPECT_EQ(report.decodeErrors, 0);
    EXPECT_NEAR(report.dominantFrequencyHz(0), spec.frequencyHz, 5.0);
    const long long expected = AtRate(n, rate);
    if (c.length == LengthClass::Exact) {
      EXPECT_NEAR(report.decodedSamples, expected, MillisecondAt(rate));
    } else if (c.length == LengthClass::Frames) {
      EXPECT_GE(report.decodedSamples, expected);
      EXPECT_LT(report.decodedSamples, expected + c.slack);
      continue;
    } else {
      // The gapless tag states what the encoder took and the edit list ends there; FFmpeg
      // decodes the whole last frame, the padding the tag states.
      ASSERT_EQ(report.tags.count("iTunSMPB"), 1u);
      unsigned priming = 0, padding = 0;
      unsigned long long length = 0;
      ASSERT_EQ(std::sscanf(report.tags.at("iTunSMPB").c_str(), " 00000000 %x %x %llx", &priming,
                            &padding, &length),
                3);
      EXPECT_EQ(priming, 1024u);
      EXPECT_LT(padding, 1024u);
      EXPECT_NEAR(static_cast<double>(length), expected, MillisecondAt(rate));
      EXPECT_EQ(report.claimedSamples, static_cast<long long>(length));
      EXPECT_EQ(report.decodedSamples, static_cast<long long>(length + padding));
    }

    options.start = "00:00:01";
    options.end = "00:00:02";
    const auto clip = ConvertOne(spec.path, folder.path().string(), options);
    ASSERT_EQ(clip.status, RowOutcome::Status::Completed) << clip.reason;
    const auto clipReport = Inspect(clip.outputPath);
    const long long clipLength =
        c.length == LengthClass::Exact ? clipReport.decodedSamples : clipReport.claimedSamples;
    EXPECT_NEAR(clipLength, rate, MillisecondAt(rate));
    EXPECT_NEAR(clipReport.firstSampleAbove(0.05), AtRate(sourceOnset - 44100, rate),
                MillisecondAt(rate));
  }
}

// The source's own samples come back unchanged, 24 bits of them, from a file and from a merge
// whose first source is the deep one; a merge that starts with a 16-bit source stays 16-bit.
TEST(AudioFormats, ADeepLosslessSourceKeepsItsDepthInLosslessFormats) {
  TempFolder folder;
  auto spec = Tone(folder / "deep.flac", 1.5);
  spec.container = SampleContainer::Flac24;
  spec.amplitude = 0.3;
  WriteSample(spec);
  const auto source = Inspect(spec.path);
  ASSERT_EQ(source.streams[0].bitsPerSample, 24);
  const std::string out = folder / "out";
  std::filesystem::create_directory(out);
  for (const auto& [extension, encoder] : std::vector<std::pair<std::string, std::string>>{
           {".flac", "FLAC"}, {".wav", "PCM_S16LE"}, {".aiff", "PCM_S16BE"}, {".m4a", "ALAC"}}) {
    SCOPED_TRACE(extension);
    ConversionOptions options;
    options.extension = extension;
    options.audioCodecName = encoder;
    const auto outcome = ConvertOne(spec.path, out, options);
    ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
    const auto report = Inspect(outcome.outputPath);
    EXPECT_EQ(report.streams[static_cast<std::size_t>(report.audioStreamIndex)].bitsPerSample, 24);
    ASSERT_EQ(report.decodedSamples, source.decodedSamples);
    double largest = 0.0;
    for (std::size_t c = 0; c < source.samples.size(); ++c) {
      for (std::size_t i = 0; i < source.samples[c].size(); ++i) {
        largest = std::max(
            largest, std::fabs(static_cast<double>(report.samples[c][i]) - source.samples[c][i]));
      }
    }
    EXPECT_LT(largest, 1e-6);  // a 16-bit step is 3e-5
  }

  const std::string shallow = WriteSample(Tone(folder / "shallow.m4a", 1.0));
  ConversionOptions flac;
  flac.extension = ".flac";
  flac.audioCodecName = "FLAC";
  ConversionEngine engine;
  for (const auto& [first, second, bits] : std::vector<std::tuple<std::string, std::string, int>>{
           {spec.path, shallow, 24}, {shallow, spec.path, 16}}) {
    const auto merged =
        testing::RunMerge(engine, {testing::AddedRow(first), testing::AddedRow(second)},
                          folder.path().string(), flac);
    ASSERT_FALSE(merged.outputPath.empty()) << merged.failure;
    EXPECT_EQ(Inspect(merged.outputPath).streams[0].bitsPerSample, bits) << first;
  }
}

struct QualityCase {
  const char* extension;
  const char* encoder;
  ConversionOptions smaller, larger;
};

ConversionOptions VbrQuality(int level) {
  ConversionOptions options;
  options.vbrQuality = level;
  return options;
}

ConversionOptions Compression(int level) {
  ConversionOptions options;
  options.compressionLevel = level;
  return options;
}

ConversionOptions BitRate(int bitRate) {
  ConversionOptions options;
  options.audioBitRate = bitRate;
  return options;
}

// Each setting reaches its encoder: the file grows with the quality asked for.
TEST(AudioFormats, QualityCompressionAndBitRateReachTheEncoder) {
  TempFolder folder;
  auto spec = Tone(folder / "noisy.m4a", 3.0);
  spec.channels = 2;
  WriteSample(spec);
  const std::vector<QualityCase> cases{
      {".mp3", "MP3", VbrQuality(9), VbrQuality(0)},
      {".ogg", "VORBIS", VbrQuality(0), VbrQuality(10)},
      {".m4a", "AAC", VbrQuality(1), VbrQuality(5)},
      {".flac", "FLAC", Compression(12), Compression(0)},
      {".opus", "OPUS", BitRate(32000), BitRate(192000)},
  };
  for (QualityCase c : cases) {
    SCOPED_TRACE(c.extension);
    std::uintmax_t sizes[2] = {};
    for (int i = 0; i < 2; ++i) {
      ConversionOptions& options = i == 0 ? c.smaller : c.larger;
      options.extension = c.extension;
      options.audioCodecName = c.encoder;
      const auto outcome = ConvertOne(spec.path, folder.path().string(), options);
      ASSERT_EQ(outcome.status, RowOutcome::Status::Completed) << outcome.reason;
      sizes[i] = std::filesystem::file_size(outcome.outputPath);
      EXPECT_NEAR(Inspect(outcome.outputPath).dominantFrequencyHz(0), spec.frequencyHz, 5.0);
    }
    EXPECT_LT(sizes[0] * 1.1, sizes[1]);
  }
}

struct RefusedAudioCase {
  const char* extension;
  const char* encoder;
  int sampleRate, channels, bitRate;
  const char* reason;
  int vbrQuality = -1;
  int compressionLevel = -1;
};

TEST(AudioFormats, RefusedTargetsFailInWordsBeforeAnyFileExists) {
  TempFolder folder;
  const std::string source = WriteSample(Tone(folder / "tone.m4a", 1.0));
  const std::string out = folder / "out";
  std::filesystem::create_directory(out);
  const std::vector<RefusedAudioCase> cases{
      {".opus", "OPUS", 48000, 7, 96000, "Opus encoder: 7 channels not supported"},
      {".mp3", "MP3", 44100, 6, 128000, "MP3 encoder: 6 channels not supported"},
      {".ac3", "AC3", 22050, 2, 192000, "AC-3 encoder: sample rate 22050 Hz not supported"},
      {".mp2", "MP2", 11025, 2, 128000, "MP2 encoder: sample rate 11025 Hz not supported"},
      {".m4a", "AAC", 44100, 2, 0, "AAC encoder: no bit rate"},
      {".ogg", "VORBIS", 44100, 2, 0, "Vorbis encoder: quality 11 not supported (0 to 10)", 11},
      {".flac", "FLAC", 44100, 2, 0, "FLAC encoder: compression level 13 not supported (0 to 12)",
       -1, 13},
      {".wav", "MP3", 44100, 2, 128000, "MP3 audio cannot be stored in the wav format"},
  };
  for (const RefusedAudioCase& c : cases) {
    SCOPED_TRACE(c.reason);
    ConversionOptions options;
    options.extension = c.extension;
    options.audioCodecName = c.encoder;
    options.sampleRate = c.sampleRate;
    options.channels = c.channels;
    options.audioBitRate = c.bitRate;
    options.vbrQuality = c.vbrQuality;
    options.compressionLevel = c.compressionLevel;
    const auto outcome = ConvertOne(source, out, options);
    EXPECT_EQ(outcome.status, RowOutcome::Status::Failed);
    EXPECT_EQ(outcome.reason, c.reason);
    EXPECT_TRUE(std::filesystem::is_empty(out));
  }
}

}  // namespace
}  // namespace varnell

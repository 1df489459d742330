// Every video preset as a command line naming only the preset converts it, and the preset
// listing that tells the user what each one writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "Media.h"
#include "Process.h"
#include "TempFolder.h"
#include "cli/CommandLineBatch.h"
#include "cli/ConversionSettings.h"
#include "settings/RecordingMessageSink.h"
#include "testmedia/PatternVideoWriter.h"
#include "testmedia/VideoFrameInspector.h"

namespace varnell {
namespace {

using testing::TempFolder;

// What FFmpeg reads each settings text back as, written out here rather than taken from the
// engine's own tables, so that a text bound to the wrong encoder shows.
const std::map<std::string, std::string> kDecodedAs{
    {"H.264", "h264"},
    {"MPEG4", "mpeg4"},
    {"DivX", "msmpeg4v3"},
    {"WMV2", "wmv2"},
    {"FLV", "flv1"},
    {"MPEG1VIDEO", "mpeg1video"},
    {"RV20", "rv20"},
    {"MPEG2VIDEO", "mpeg2video"},
    {"DVVIDEO", "dvvideo"},
    {"H.263", "h263"},
    {"M-JPEG", "mjpeg"},
    {"AAC", "aac"},
    {"MP3", "mp3"},
    {"WMA8", "wmav2"},
    {"MP2", "mp2"},
    {"AC3", "ac3"},
    {"PCM_S16LE", "pcm_s16le"},
    {"PCM_S16BE", "pcm_s16be"},
};

std::size_t FilesInOutputFolder(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                std::filesystem::directory_iterator()));
}

TEST(VideoPresets, EachConvertsAsItIsWithItsCodecSizeRateAndSound) {
  TempFolder sources, output;
  testmedia::PatternVideo pattern;
  pattern.path = sources / "clip.mp4";
  pattern.width = 66;  // not a multiple of 4: the source-sized RV20 row cuts it to 64
  pattern.height = 48;
  pattern.rateNumerator = 30;  // as fast as any preset's: a lower rate drops frames evenly
  pattern.seconds = 0.5;
  pattern.keyframeInterval = 5;
  std::string error;
  ASSERT_TRUE(testmedia::WritePatternVideo(pattern, &error)) << error;

  int converted = 0;
  for (const Preset& preset : AllPresets()) {
    if (preset.audioOnly) continue;
    SCOPED_TRACE(std::to_string(preset.code) + " " + preset.displayName);
    const ParsedCommandLine parsed =
        ParseCommandLine({"--preset", std::to_string(preset.code), "--output-dir",
                          output.path().string(), pattern.path},
                         1);
    const auto* options = std::get_if<CommandLineOptions>(&parsed);
    if (options == nullptr) {
      ADD_FAILURE() << std::get<UsageError>(parsed).message;
      continue;
    }
    RecordingMessageSink messages;
    const OutputSettings settings = ConversionSettingsFor(*options, messages);
    EXPECT_TRUE(messages.messages.empty());
    const OutputChoice choice = OutputFor(*options);
    CommandLineBatch batch(*options, settings, choice);
    const std::size_t filesBefore = FilesInOutputFolder(output.path());
    FileOutcome outcome;
    batch.Run([&](const FileOutcome& ended) { outcome = ended; },
              [](const std::vector<ActiveFile>&, int) {}, [] { return false; });

    if (choice.format->muxer.empty()) {
      EXPECT_EQ(outcome.kind, FileOutcome::Kind::Failed);
      EXPECT_EQ(outcome.reason, "the dpg format cannot be written by this build");
      EXPECT_EQ(FilesInOutputFolder(output.path()), filesBefore);
      continue;
    }
    ASSERT_EQ(outcome.kind, FileOutcome::Kind::Completed) << outcome.reason;
    ++converted;
    testmedia::VideoReport video;
    ASSERT_TRUE(testmedia::InspectVideo(outcome.outputPath, video, &error)) << error;
    EXPECT_EQ(video.codec, kDecodedAs.at(options->videoCodec));
    EXPECT_EQ(video.decodeErrors, 0);
    const bool sourceSize = options->frameSize == "Source size";
    EXPECT_EQ(video.width, !sourceSize ? settings.width : options->videoCodec == "RV20" ? 64 : 66);
    EXPECT_EQ(video.height, sourceSize ? 48 : settings.height);
    // rm keeps the source's rate whatever is asked.
    const double rate = options->frameRate == "Source rate" || choice.format->muxer == "rm"
                            ? 30.0
                            : std::atof(options->frameRate.c_str());
    // Counted, since a stream this short states no exact average rate.
    EXPECT_NEAR(static_cast<double>(video.pictures.size()), pattern.seconds * rate, 1.0);
    const testmedia::MediaReport sound = testing::Inspect(outcome.outputPath);
    ASSERT_GE(sound.audioStreamIndex, 0);
    EXPECT_EQ(sound.streams.at(sound.audioStreamIndex).codec, kDecodedAs.at(options->encoder));
    EXPECT_EQ(sound.sampleRate, options->sampleRate);
    EXPECT_EQ(sound.channels, options->channels);
  }
  EXPECT_EQ(converted, 104);  // the 108 video presets but the four that write dpg
}

TEST(VideoPresets, ListingHasOneLinePerPresetInCodeOrder) {
  TempFolder logs;
  const char* program = std::getenv("VARNELL_CONVERT");
  const auto result =
      testing::Run(program ? program : "varnell-convert", {"--list-presets"}, logs.path().string());
  ASSERT_EQ(result.exitCode, 0) << result.err;
  std::istringstream lines(result.out);
  std::map<int, std::string> byCode;
  std::string line;
  for (const Preset& preset : AllPresets()) {
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line.substr(0, line.find('\t')), std::to_string(preset.code));
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 4) << line;
    byCode[preset.code] = line;
  }
  EXPECT_FALSE(std::getline(lines, line)) << line;
  EXPECT_EQ(byCode[90000],
            "90000\tASF - Advanced Streaming Format(*.asf)\t.asf\tMP3, 128 kbps, 44100 Hz, 2 "
            "channels\tMPEG4, 320*240, 29.97 fps, 1000 kbps");
  EXPECT_EQ(byCode[90002],
            "90002\tDV - Digital Video Format(*.dv)\t.dv\tPCM_S16LE, 48000 Hz, 2 channels\t"
            "DVVIDEO, 720*480, 29.97 fps, 25000 kbps");
  EXPECT_EQ(byCode[90106].substr(byCode[90106].rfind('\t')), "\tno video");
}

}  // namespace
}  // namespace varnell

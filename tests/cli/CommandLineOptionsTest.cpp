#include <gtest/gtest.h>

#include <tuple>

#include "cli/CommandLineOptions.h"
#include "cli/ConversionSettings.h"
#include "cli/ProgressLine.h"
#include "cli/TerminalText.h"
#include "settings/RecordingMessageSink.h"

namespace varnell {
namespace {

ParsedCommandLine Parse(std::vector<std::string> arguments) {
  return ParseCommandLine(arguments, 4);
}

std::string UsageMessage(const ParsedCommandLine& parsed) {
  const auto* error = std::get_if<UsageError>(&parsed);
  return error ? error->message : "(no usage error)";
}

TEST(CommandLineOptions, DefaultsFollowTheFormat) {
  auto parsed = Parse({"a.m4a", "b.aac"});
  ASSERT_TRUE(std::holds_alternative<CommandLineOptions>(parsed));
  auto options = std::get<CommandLineOptions>(parsed);
  EXPECT_EQ(options.presetCode, kMp3PresetCode);
  EXPECT_EQ(options.encoder, "MP3");
  EXPECT_EQ(options.bitRateKbps, 128);
  EXPECT_EQ(options.sampleRate, 44100);
  EXPECT_EQ(options.channels, 2);
  EXPECT_EQ(options.start, "00:00:00");
  EXPECT_FALSE(options.end);
  EXPECT_EQ(options.outputFolder, ".");
  EXPECT_EQ(options.jobs, 4);
  EXPECT_EQ(options.files, (std::vector<std::string>{"a.m4a", "b.aac"}));

  options = std::get<CommandLineOptions>(
      Parse({"--format", "wma", "--bitrate", "64", "--channels", "1", "--end", "00:01:30", "--jobs",
             "1", "--output-dir", "out", "--", "--odd-name.m4a"}));
  EXPECT_EQ(options.presetCode, kWmaPresetCode);
  EXPECT_EQ(options.encoder, "WMA8");
  EXPECT_EQ(options.bitRateKbps, 64);
  EXPECT_EQ(options.channels, 1);
  EXPECT_EQ(options.end, "00:01:30");
  EXPECT_EQ(options.jobs, 1);
  EXPECT_EQ(options.files, (std::vector<std::string>{"--odd-name.m4a"}));
}

TEST(CommandLineOptions, MistakesAreUsageErrors) {
  EXPECT_EQ(UsageMessage(Parse({})), "no input file");
  EXPECT_EQ(UsageMessage(Parse({"--format", "mp4", "a"})),
            "--format must be mp3, wma, m4a, m4b, ogg, opus, flac, wav, aac or aiff");
  EXPECT_EQ(UsageMessage(Parse({"--encoder", "WMA8", "a"})),
            "--encoder WMA8 does not write mp3 files (mp3 takes MP3)");
  EXPECT_EQ(UsageMessage(Parse({"--format", "wma", "--encoder", "MP3", "a"})),
            "--encoder MP3 does not write wma files (wma takes WMA7 or WMA8)");
  EXPECT_EQ(UsageMessage(Parse({"--bitrate", "12x", "a"})),
            "--bitrate must be a positive number of kb/s");
  EXPECT_EQ(UsageMessage(Parse({"--bitrate", "1", "a"})),
            "--bitrate 1 is outside the 32 to 320 kb/s that mp3 takes at 44100 Hz");
  EXPECT_EQ(UsageMessage(Parse({"--bitrate", "320", "--sample-rate", "22050", "a"})),
            "--bitrate 320 is outside the 8 to 160 kb/s that mp3 takes at 22050 Hz");
  EXPECT_EQ(UsageMessage(Parse({"--bitrate", "80", "--sample-rate", "11025", "a"})),
            "--bitrate 80 is outside the 8 to 64 kb/s that mp3 takes at 11025 Hz");
  EXPECT_TRUE(std::holds_alternative<CommandLineOptions>(Parse({"--bitrate", "320", "a"})));
  EXPECT_EQ(UsageMessage(Parse({"--jobs", "0", "a"})), "--jobs must be a positive number");
  EXPECT_EQ(UsageMessage(Parse({"--channels", "3", "a"})), "--channels must be 1, 2 or 6");
  EXPECT_EQ(UsageMessage(Parse({"--start", "1:00", "a"})), "--start must be HH:MM:SS");
  EXPECT_EQ(UsageMessage(Parse({"--start", "00:02:00", "--end", "00:01:00", "a"})),
            "--end lies before --start");
  EXPECT_EQ(UsageMessage(Parse({"--split-chapters", "--start", "00:00:00", "a"})),
            "--split-chapters cuts at the chapters: --start and --end cannot be given");
  EXPECT_EQ(UsageMessage(Parse({"--info", "--split-chapters", "a"})),
            "--split-chapters and --info cannot be combined");
  EXPECT_TRUE(std::get<CommandLineOptions>(Parse({"--split-chapters", "a"})).splitChapters);
  EXPECT_EQ(UsageMessage(Parse({"a", "--bitrate"})), "--bitrate needs a value");
  EXPECT_EQ(UsageMessage(Parse({"--loud", "a"})), "unknown option --loud");
  EXPECT_TRUE(std::holds_alternative<HelpRequest>(Parse({"a", "--help"})));
}

struct PresetCase {
  std::vector<std::string> arguments;
  std::string outcome;  // the usage error, or the choices as "ENCODER KBPS HZ CHANNELS | CODEC SIZE
                        // RATE VIDEO-RATE"
};

std::string Outcome(const ParsedCommandLine& parsed) {
  const auto* options = std::get_if<CommandLineOptions>(&parsed);
  if (!options) return UsageMessage(parsed);
  return options->encoder + " " + std::to_string(options->bitRateKbps) + " " +
         std::to_string(options->sampleRate) + " " + std::to_string(options->channels) + " | " +
         options->videoCodec + " " + options->frameSize + " " + options->frameRate + " " +
         options->videoBitRate;
}

TEST(CommandLineOptions, PresetsTakeTheirRowsDefaultsAndNameWhatIsMissing) {
  const std::vector<PresetCase> cases{
      {{"--preset", "90000", "a"}, "MP3 128 44100 2 | MPEG4 320*240 29.97 fps 1000 kbps"},
      {{"--preset", "90000", "--video-codec", "MSMPEG4V3", "--size", "640*360", "--fps", "25",
        "--video-bitrate", "800", "--channels", "1", "--sample-rate", "48000", "a"},
       "MP3 128 48000 1 | MSMPEG4V3 640*360 25.0 fps 800 kbps"},
      {{"--preset", "90000", "--fps", "29.97", "a"},
       "MP3 128 44100 2 | MPEG4 320*240 29.97 fps 1000 kbps"},
      {{"--preset", "90000", "--fps", "14.985 fps", "a"},
       "MP3 128 44100 2 | MPEG4 320*240 14.985 fps 1000 kbps"},
      {{"--preset", "90006", "--encoder", "AC3", "--video-codec", "MPEG4", "--size", "640*360",
        "--fps", "30", "--video-bitrate", "1200", "a"},
       "AC3 128 44100 2 | MPEG4 640*360 30.0 fps 1200 kbps"},
      {{"--preset", "90005", "--encoder", "WMA8", "--video-codec", "H.264", "--size", "640*360",
        "--fps", "30", "--video-bitrate", "1200", "a"},
       "--encoder WMA8: WMA audio cannot be stored in the mp4 format"},
      {{"--preset", "90005", "--video-codec", "MPEG4", "a"},
       "AAC 128 44100 2 | MPEG4 Source size Source rate 1500 kbps"},
      {{"--preset", "91000", "a"}, "MP3 128 44100 2 | FLV 320*240 29.97 fps 768 kbps"},
      {{"--preset", "90002", "--encoder", "MP3", "a"},
       "--encoder MP3: MP3 audio cannot be stored in the dv format"},
      {{"--preset", "90106", "--size", "320*240", "a"},
       "--size does not apply: preset 90106 (MP3 - MPEG Layer-3 Audio(*.MP3)) writes no video"},
      {{"--preset", "90000", "--encoder", "WMA7", "a"},
       "WMA7 128 44100 2 | MPEG4 320*240 29.97 fps 1000 kbps"},
      {{"--preset", "90000", "--bitrate", "16", "a"},
       "--bitrate 16 is outside the 32 to 320 kb/s that mp3 takes at 44100 Hz"},
      {{"--preset", "12345", "a"}, "unknown preset 12345"},
      {{"--preset", "90000x", "a"}, "unknown preset 90000x"},
      {{"--format", "mp3", "--preset", "90000", "a"}, "--format mp3 is --preset 90106, not 90000"},
      {{"--format", "wma", "--preset", "90110", "a"}, "WMA8 128 44100 2 |    "},
      {{"--video-codec", "h264", "a"},
       "--video-codec must be one of WMV1, WMV2, MPEG4, H.264, H.263, MPEG2VIDEO, M-JPEG, DivX, "
       "DVVIDEO, MPEG1VIDEO, RV20, FLV, XVID, MSMPEG4V3"},
      {{"--fps", "27", "a"},
       "--fps must be one of 10, 12, 14.985, 15, 20, 23.975, 24, 25, 29.97, 30, 50, 60"},
      {{"--fps", "25fps", "a"},
       "--fps must be one of 10, 12, 14.985, 15, 20, 23.975, 24, 25, 29.97, 30, 50, 60"},
      {{"--size", "320x240", "a"}, "--size must be WIDTH*HEIGHT, each from 1 to 8192"},
      {{"--size", "0*240", "a"}, "--size must be WIDTH*HEIGHT, each from 1 to 8192"},
      {{"--size", "320*8193", "a"}, "--size must be WIDTH*HEIGHT, each from 1 to 8192"},
      {{"--size", "320*", "a"}, "--size must be WIDTH*HEIGHT, each from 1 to 8192"},
      {{"--video-bitrate", "200001", "a"},
       "--video-bitrate must be a number of kb/s from 1 to 200000"},
  };
  for (const PresetCase& c : cases) {
    EXPECT_EQ(Outcome(Parse(c.arguments)), c.outcome) << ::testing::PrintToString(c.arguments);
  }

  // The row's flags and the display name's extension reach the settings the job is built from.
  RecordingMessageSink messages;
  const auto psp = std::get<CommandLineOptions>(
      Parse({"--preset", "91300", "--video-codec", "H.264", "--size", "320*240", "--fps", "29.97",
             "--video-bitrate", "768", "a"}));
  const OutputSettings settings = ConversionSettingsFor(psp, messages);
  EXPECT_FALSE(settings.audioOnly);
  EXPECT_TRUE(settings.thumbnail);
  EXPECT_EQ(settings.videoCodecName, "H.264");
  EXPECT_EQ(settings.width, 320);
  EXPECT_EQ(settings.frameRateText, "29.97 fps");
  EXPECT_EQ(settings.videoBitRate, 768000);
  EXPECT_EQ(OutputFor(psp).extension, ".MP4");
  EXPECT_EQ(OutputFor(psp).format->muxer, "mp4");
  EXPECT_TRUE(messages.messages.empty());
}

// The audio numbers are checked against the chosen encoder: "ENCODER KBPS HZ CHANNELS VBR LEVEL"
// or the usage error.
TEST(CommandLineOptions, AudioNumbersFollowTheEncoder) {
  const auto outcome = [](std::vector<std::string> arguments) {
    arguments.push_back("a");
    const ParsedCommandLine parsed = Parse(arguments);
    const auto* o = std::get_if<CommandLineOptions>(&parsed);
    if (!o) return UsageMessage(parsed);
    return o->encoder + " " + std::to_string(o->bitRateKbps) + " " + std::to_string(o->sampleRate) +
           " " + std::to_string(o->channels) + " " + std::to_string(o->vbrQuality) + " " +
           std::to_string(o->compressionLevel);
  };
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {{"--format", "opus"}, "OPUS 128 48000 2 -1 -1"},
      {{"--format", "flac"}, "FLAC 128 44100 2 -1 5"},
      {{"--format", "flac", "--compression-level", "12", "--channels", "6"},
       "FLAC 128 44100 6 -1 12"},
      {{"--format", "m4a", "--encoder", "ALAC"}, "ALAC 128 44100 2 -1 -1"},
      {{"--vbr", "0"}, "MP3 128 44100 2 0 -1"},
      {{"--format", "ogg", "--vbr", "10"}, "VORBIS 128 44100 2 10 -1"},
      {{"--format", "aac", "--vbr", "0"}, "--vbr 0 is outside the 1 to 5 the AAC encoder takes"},
      {{"--vbr", "10"}, "--vbr 10 is outside the 0 to 9 the MP3 encoder takes"},
      {{"--vbr", "-1"}, "--vbr must be a whole number"},
      {{"--vbr", "2", "--bitrate", "192"}, "--bitrate and --vbr cannot be combined"},
      {{"--format", "opus", "--vbr", "5"},
       "--vbr does not apply to the OPUS encoder (only to MP3 0 to 9, AAC 1 to 5, VORBIS 0 to "
       "10)"},
      {{"--format", "flac", "--compression-level", "13"},
       "--compression-level 13 is outside the 0 to 12 the FLAC encoder takes"},
      {{"--compression-level", "5"},
       "--compression-level does not apply to the MP3 encoder (only to FLAC 0 to 12)"},
      {{"--format", "wav", "--bitrate", "128"}, "--bitrate does not apply: PCM_S16LE is lossless"},
      {{"--format", "opus", "--bitrate", "5"},
       "--bitrate 5 is outside the 6 to 510 kb/s the OPUS encoder takes"},
      {{"--format", "opus", "--bitrate", "510"}, "OPUS 510 48000 2 -1 -1"},
      {{"--preset", "90101", "--bitrate", "641"},
       "--bitrate 641 is outside the 32 to 640 kb/s the AC3 encoder takes"},
      {{"--preset", "90105", "--bitrate", "448"},
       "--bitrate 448 is outside the 32 to 384 kb/s the MP2 encoder takes"},
      {{"--channels", "6"}, "--channels 6: the MP3 encoder takes 1 or 2"},
      {{"--format", "flac", "--encoder", "OPUS"},
       "--encoder OPUS does not write flac files (flac takes FLAC)"},
  };
  for (const auto& [arguments, expected] : cases)
    EXPECT_EQ(outcome(arguments), expected) << ::testing::PrintToString(arguments);

  // The numbers reach the settings the job is built from.
  RecordingMessageSink messages;
  const OutputSettings flac = ConversionSettingsFor(
      std::get<CommandLineOptions>(Parse({"--format", "flac", "--channels", "6", "a"})), messages);
  EXPECT_EQ(flac.compressionLevel, 5);
  EXPECT_EQ(flac.channels, 6);
  EXPECT_EQ(
      ConversionSettingsFor(std::get<CommandLineOptions>(Parse({"--vbr", "4", "a"})), messages)
          .vbrQuality,
      4);
}

// --format is the short form of the preset the main window's profile item selects: the same
// options, and the outputs keep the profile's lower-case extension.
TEST(CommandLineOptions, FormatIsTheShortFormOfItsPreset) {
  for (const auto& [format, code, extension] :
       {std::tuple{"mp3", "90106", ".mp3"}, std::tuple{"wma", "90110", ".wma"},
        std::tuple{"ogg", "90107", ".ogg"}, std::tuple{"aac", "90100", ".aac"}}) {
    for (const std::vector<std::string>& extra :
         {std::vector<std::string>{},
          {"--bitrate", "64", "--channels", "1", "--sample-rate", "32000"}}) {
      std::vector<std::string> byFormat{"--format", format, "a"};
      std::vector<std::string> byPreset{"--preset", code, "a"};
      byFormat.insert(byFormat.begin(), extra.begin(), extra.end());
      byPreset.insert(byPreset.begin(), extra.begin(), extra.end());
      const auto options = std::get<CommandLineOptions>(Parse(byFormat));
      EXPECT_EQ(options, std::get<CommandLineOptions>(Parse(byPreset)));
      EXPECT_EQ(OutputFor(options).extension, extension);
      RecordingMessageSink messages;
      EXPECT_TRUE(ConversionSettingsFor(options, messages).audioOnly);
    }
  }
}

TEST(ProgressLine, ShowsTheFilePercentAndCount) {
  EXPECT_EQ(ProgressLine::Format({{"/music/song.m4a", 45}}, 3, 10),
            "[#########           ] 45% song.m4a 3/10");
  EXPECT_EQ(ProgressLine::Format({{"/a.m4a", 100}, {"/b.m4a", -1}}, 0, 2),
            "[##########          ] 50% 2 files 0/2");
  EXPECT_EQ(ProgressLine::Format({}, 1, 4), "[#####               ] 25% 1/4");
  EXPECT_EQ(ProgressLine::Format({}, 2, 2), "[####################] 100% 2/2");
  EXPECT_EQ(ProgressLine::Format({{"/music/song.m4a", 45}}, 3, 10, 130.0),
            "[#########           ] 45% song.m4a 3/10 About 2 min 10 s left");
  EXPECT_EQ(ProgressLine::Format({{"/m/\x1b[2Jclear\n.m4a", 0}}, 0, 1),
            "[                    ] 0% \\x1b[2Jclear\\n.m4a 0/1");
  // A long name is cut between characters, never inside one.
  EXPECT_EQ(ProgressLine::Format({{"/m/" + std::string(28, 'a') + "\u00e9\u00e9.m4a", 0}}, 0, 1),
            "[                    ] 0% " + std::string(28, 'a') + "... 0/1");
}

TEST(TerminalText, EscapesEveryControlAndTheBackslashButKeepsUtf8) {
  EXPECT_EQ(EscapedForTerminal("a\nb\tc\rd\\e\x1b[31m\x7f\x01"),
            "a\\nb\\tc\\rd\\\\e\\x1b[31m\\x7f\\x01");
  EXPECT_EQ(EscapedForTerminal("Gr\u00fc\u00dfe \u266b \U0001F3B5"),
            "Gr\u00fc\u00dfe \u266b \U0001F3B5");
  // C1 controls (U+009B is a one-character CSI), stray and truncated bytes are escaped byte by
  // byte.
  EXPECT_EQ(EscapedForTerminal("\u009b2J"), "\\xc2\\x9b2J");
  EXPECT_EQ(EscapedForTerminal("\x9b\xff\xe2\x99"), "\\x9b\\xff\\xe2\\x99");
}

}  // namespace
}  // namespace varnell

#include <gtest/gtest.h>

#include "cli/CommandLineOptions.h"
#include "cli/ProgressLine.h"
#include "cli/TerminalText.h"

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
  EXPECT_EQ(options.profileItem, 0);
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
      Parse({"--format", "wma", "--bitrate", "64", "--channels", "1", "--end", "00:01:30",
             "--jobs", "1", "--output-dir", "out", "--", "--odd-name.m4a"}));
  EXPECT_EQ(options.profileItem, 1);
  EXPECT_EQ(options.encoder, "WMA8");
  EXPECT_EQ(options.bitRateKbps, 64);
  EXPECT_EQ(options.channels, 1);
  EXPECT_EQ(options.end, "00:01:30");
  EXPECT_EQ(options.jobs, 1);
  EXPECT_EQ(options.files, (std::vector<std::string>{"--odd-name.m4a"}));
}

TEST(CommandLineOptions, MistakesAreUsageErrors) {
  EXPECT_EQ(UsageMessage(Parse({})), "no input file");
  EXPECT_EQ(UsageMessage(Parse({"--format", "ogg", "a"})), "--format must be mp3 or wma");
  EXPECT_EQ(UsageMessage(Parse({"--encoder", "WMA8", "a"})), "--encoder WMA8 does not write mp3 files");
  EXPECT_EQ(UsageMessage(Parse({"--format", "wma", "--encoder", "MP3", "a"})),
            "--encoder MP3 does not write wma files");
  EXPECT_EQ(UsageMessage(Parse({"--bitrate", "12x", "a"})), "--bitrate must be a positive number of kb/s");
  EXPECT_EQ(UsageMessage(Parse({"--bitrate", "1", "a"})),
            "--bitrate 1 is outside the 32 to 320 kb/s that mp3 takes at 44100 Hz");
  EXPECT_EQ(UsageMessage(Parse({"--bitrate", "320", "--sample-rate", "22050", "a"})),
            "--bitrate 320 is outside the 8 to 160 kb/s that mp3 takes at 22050 Hz");
  EXPECT_EQ(UsageMessage(Parse({"--bitrate", "80", "--sample-rate", "11025", "a"})),
            "--bitrate 80 is outside the 8 to 64 kb/s that mp3 takes at 11025 Hz");
  EXPECT_TRUE(std::holds_alternative<CommandLineOptions>(Parse({"--bitrate", "320", "a"})));
  EXPECT_EQ(UsageMessage(Parse({"--jobs", "0", "a"})), "--jobs must be a positive number");
  EXPECT_EQ(UsageMessage(Parse({"--channels", "6", "a"})), "--channels must be 1 or 2");
  EXPECT_EQ(UsageMessage(Parse({"--start", "1:00", "a"})), "--start must be HH:MM:SS");
  EXPECT_EQ(UsageMessage(Parse({"--start", "00:02:00", "--end", "00:01:00", "a"})),
            "--end lies before --start");
  EXPECT_EQ(UsageMessage(Parse({"a", "--bitrate"})), "--bitrate needs a value");
  EXPECT_EQ(UsageMessage(Parse({"--loud", "a"})), "unknown option --loud");
  EXPECT_TRUE(std::holds_alternative<HelpRequest>(Parse({"a", "--help"})));
}

TEST(ProgressLine, ShowsTheFilePercentAndCount) {
  EXPECT_EQ(ProgressLine::Format({{"/music/song.m4a", 45}}, 3, 10),
            "[#########           ] 45% song.m4a 3/10");
  EXPECT_EQ(ProgressLine::Format({{"/a.m4a", 100}, {"/b.m4a", -1}}, 0, 2),
            "[##########          ] 50% 2 files 0/2");
  EXPECT_EQ(ProgressLine::Format({}, 1, 4), "[#####               ] 25% 1/4");
  EXPECT_EQ(ProgressLine::Format({}, 2, 2), "[####################] 100% 2/2");
  EXPECT_EQ(ProgressLine::Format({{"/m/\x1b[2Jclear\n.m4a", 0}}, 0, 1),
            "[                    ] 0% \\x1b[2Jclear\\n.m4a 0/1");
  // A long name is cut between characters, never inside one.
  EXPECT_EQ(ProgressLine::Format({{"/m/" + std::string(28, 'a') + "\u00e9\u00e9.m4a", 0}}, 0, 1),
            "[                    ] 0% " + std::string(28, 'a') + "... 0/1");
}

TEST(TerminalText, EscapesEveryControlAndTheBackslashButKeepsUtf8) {
  EXPECT_EQ(EscapedForTerminal("a\nb\tc\rd\\e\x1b[31m\x7f\x01"),
            "a\\nb\\tc\\rd\\\\e\\x1b[31m\\x7f\\x01");
  EXPECT_EQ(EscapedForTerminal("Gr\u00fc\u00dfe \u266b \U0001F3B5"), "Gr\u00fc\u00dfe \u266b \U0001F3B5");
  // C1 controls (U+009B is a one-character CSI), stray and truncated bytes are escaped byte by byte.
  EXPECT_EQ(EscapedForTerminal("\u009b2J"), "\\xc2\\x9b2J");
  EXPECT_EQ(EscapedForTerminal("\x9b\xff\xe2\x99"), "\\x9b\\xff\\xe2\\x99");
}

}  // namespace
}  // namespace varnell

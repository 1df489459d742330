#include <gtest/gtest.h>

#include "cli/CommandLineOptions.h"
#include "cli/ProgressLine.h"

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
  EXPECT_EQ(ProgressLine::Format({}, 2, 2), "[                    ] 0% 2/2");
}

}  // namespace
}  // namespace varnell

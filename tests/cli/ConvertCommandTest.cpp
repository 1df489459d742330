// varnell-convert as a user runs it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "Media.h"
#include "PartialFiles.h"
#include "Process.h"
#include "TempFolder.h"

namespace varnell {
namespace {

using testing::Inspect;
using testing::Process;
using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;

class ConvertCommand : public ::testing::Test {
 protected:
  testing::ProcessResult Convert(std::vector<std::string> arguments) {
    return testing::Run(program, arguments, logs.path().string());
  }
  const std::string program = std::getenv("VARNELL_CONVERT") ? std::getenv("VARNELL_CONVERT") : "varnell-convert";
  TempFolder sources;
  TempFolder output;
  TempFolder logs;
};

TEST_F(ConvertCommand, UsageErrorsExitTwoWithAMessageAndTheUsage) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{}, {"--format", "flac", "a.m4a"},
        {"--output-dir", output / "nowhere", "a.m4a"}}) {
    const auto result = Convert(arguments);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err.rfind("varnell-convert: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find("usage: varnell-convert"), std::string::npos);
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(Convert({"--help"}).exitCode, 0);
}

TEST_F(ConvertCommand, ReportsEveryFileAndExitsOneWhenAnyFailed) {
  WriteSample(Tone(sources / "one.m4a", 2.0));
  WriteSample(Tone(sources / "two.m4a", 3.0));
  const std::string bad = sources / "bad.m4a";
  std::ofstream(bad) << "not audio";
  const auto result = Convert({"--jobs", "2", "--output-dir", output.path().string() + "/",
                               sources / "one.m4a", bad, sources / "two.m4a"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.out.find("Completed: " + (output / "one.mp3") + "\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Completed: " + (output / "two.mp3") + "\n"), std::string::npos);
  EXPECT_NE(result.out.find("Failure: " + bad + ": cannot open source: "), std::string::npos);
  EXPECT_TRUE(result.out.ends_with("\n2 completed, 1 failed\n")) << result.out;
  EXPECT_NEAR(Inspect(output / "two.mp3").decodedSamples, 3 * 44100, 44);
  EXPECT_EQ(result.err, "");  // not a terminal: no progress bar
}

TEST_F(ConvertCommand, WmaClipWithEveryOption) {
  WriteSample(Tone(sources / "long.m4a", 5.0, 48000));
  const auto result = Convert({"--format", "wma", "--encoder", "WMA7", "--bitrate", "96",
                               "--sample-rate", "32000", "--channels", "1", "--start", "00:00:01",
                               "--end", "00:00:03", "--output-dir", output.path().string(),
                               sources / "long.m4a"});
  ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
  const auto report = Inspect(output / "long.wma");
  EXPECT_EQ(report.streams.at(0).codec, "wmav1");
  EXPECT_EQ(report.sampleRate, 32000);
  EXPECT_EQ(report.channels, 1);
  EXPECT_NEAR(report.decodedSamples, 2 * 32000, 4096);
}

TEST_F(ConvertCommand, InfoPrintsTheProbeResults) {
  WriteSample(Tone(sources / "probe.m4a", 65.0, 22050, 1));
  const auto result = Convert({"--info", sources / "probe.m4a"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  for (const std::string& line : {"Source file: " + (sources / "probe.m4a"), std::string("Media length: 00:01:05"),
                                 std::string("Sample rate: 22050"), std::string("Audio channels: 1"),
                                 std::string("Width: 0"), std::string("Frame rate: \n")}) {
    EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
  }
  EXPECT_EQ(Convert({"--info", sources / "missing.m4a"}).exitCode, 1);
  EXPECT_TRUE(std::filesystem::is_empty(output.path()));
}

TEST_F(ConvertCommand, InterruptFinishesTheCurrentFileAndStartsNoOther) {
  for (const char* name : {"a.m4a", "b.m4a"}) WriteSample(Tone(sources / name, 120.0));
  Process converter(program, {"--jobs", "1", "--output-dir", output.path().string(), sources / "a.m4a",
                              sources / "b.m4a"},
                    logs.path().string());
  const std::string first = output / "a.mp3";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (testing::PartialBytesOf(first) <= 20000) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  converter.Signal(SIGINT);
  const auto result = converter.Wait();
  EXPECT_EQ(result.exitCode, 130) << result.out << result.err;
  EXPECT_NE(result.out.find("Stopped: " + first + "\n"), std::string::npos) << result.out;
  EXPECT_TRUE(result.out.ends_with("0 completed, 0 failed\n")) << result.out;
  const auto report = Inspect(first);
  EXPECT_GT(report.decodedSamples, 0);
  EXPECT_LT(report.decodedSamples, 100 * 44100);
  EXPECT_EQ(report.decodeErrors, 0);
  EXPECT_FALSE(std::filesystem::exists(output / "b.mp3"));
}

}  // namespace
}  // namespace varnell

// varnell-convert as a user runs it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <tuple>

#include "HomeTrash.h"
#include "Media.h"
#include "OnePictureVideo.h"
#include "Process.h"
#include "TempFolder.h"
#include "testmedia/PatternVideoWriter.h"
#include "testmedia/VideoFrameInspector.h"

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
  const std::string program =
      std::getenv("VARNELL_CONVERT") ? std::getenv("VARNELL_CONVERT") : "varnell-convert";
  TempFolder sources;
  TempFolder output;
  TempFolder logs;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST_F(ConvertCommand, UsageErrorsExitTwoWithAMessageAndTheUsage) {
  const std::string aFile = sources / "file.txt";
  std::ofstream(aFile) << "not a folder";
  for (const auto& [arguments, message] :
       std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{}, "no input file"},
           {{"--format", "mp4", "a.m4a"}, "--format must be mp3, wma, m4a, "},
           {{"--output-dir", output / "nowhere", "a.m4a"}, "the output folder does not exist: "},
           {{"--output-dir", aFile, "a.m4a"}, "--output-dir " + aFile + " is not a folder"}}) {
    const auto result = Convert(arguments);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err.rfind("varnell-convert: " + message, 0), 0u) << result.err;
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
  const auto result = Convert({"--jobs", "1000", "--output-dir", output.path().string() + "/",
                               sources / "one.m4a", bad, sources / "two.m4a"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(
      Lines(result.out),
      (std::vector<std::string>{
          "Completed: " + (output / "one.mp3"),
          "Failure: " + bad + ": cannot open source: Invalid data found when processing input",
          "Completed: " + (output / "two.mp3"), "2 completed, 1 failed"}));
  EXPECT_NEAR(Inspect(output / "two.mp3").decodedSamples, 3 * 44100, 44);
  EXPECT_EQ(result.err, "");  // not a terminal: no progress bar
}

// Files named by their tags into folders; run again with --skip-existing, each is passed over
// and its output left as it was; a merge whose output exists too. An unknown placeholder is a
// usage error.
TEST_F(ConvertCommand, NamePatternFilesByTagsAndSkipExistingPassesOverThemOnTheSecondRun) {
  auto tagged = Tone(sources / "a.m4a", 1.0);
  tagged.containerTags = {
      {"artist", "AC/DC"}, {"album", "Live"}, {"track", "3/12"}, {"title", "Thunder"}};
  WriteSample(tagged);
  WriteSample(Tone(sources / "plain.m4a", 1.0));
  const std::vector<std::string> arguments{
      "--name-pattern",       "{artist}/{album}/{track} {title}",
      "--skip-existing",      "--output-dir",
      output.path().string(), sources / "a.m4a",
      sources / "plain.m4a"};
  const std::string taggedOutput = output / "AC_DC/Live/03 Thunder.mp3";
  const std::string plainOutput = output / "plain/plain/plain plain.mp3";
  const auto first = Convert(arguments);
  EXPECT_EQ(first.exitCode, 0) << first.err;
  EXPECT_EQ(Lines(first.out),
            (std::vector<std::string>{"Completed: " + taggedOutput, "Completed: " + plainOutput,
                                      "2 completed, 0 failed"}));
  const auto written = std::filesystem::last_write_time(taggedOutput);

  const auto second = Convert(arguments);
  EXPECT_EQ(second.exitCode, 0) << second.err;
  EXPECT_EQ(Lines(second.out),
            (std::vector<std::string>{
                "Skipped: " + (sources / "a.m4a") + ": " + taggedOutput + " exists",
                "Skipped: " + (sources / "plain.m4a") + ": " + plainOutput + " exists",
                "0 completed, 2 skipped, 0 failed"}));
  EXPECT_EQ(std::filesystem::last_write_time(taggedOutput), written);
  EXPECT_FALSE(std::filesystem::exists(output / "AC_DC/Live/03 Thunder(0).mp3"));

  std::vector<std::string> merge{"--merge",
                                 "--skip-existing",
                                 "--output-dir",
                                 output.path().string(),
                                 sources / "plain.m4a",
                                 sources / "a.m4a"};
  EXPECT_EQ(Convert(merge).exitCode, 0);
  const auto again = Convert(merge);
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(Lines(again.out),
            (std::vector<std::string>{
                "Skipped: " + (sources / "plain.m4a") + ": " + (output / "plain.mp3") + " exists",
                "Skipped: " + (sources / "a.m4a") + ": " + (output / "plain.mp3") + " exists",
                "0 completed, 2 skipped, 0 failed"}));
  EXPECT_FALSE(std::filesystem::exists(output / "plain(0).mp3"));

  const auto unknown = Convert({"--name-pattern", "{artist}/{foo}", sources / "a.m4a"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_EQ(unknown.err.rfind("varnell-convert: --name-pattern: unknown placeholder {foo}", 0), 0u)
      << unknown.err;
}

// Only a completed file's source goes to the Trash; one the Trash cannot take stays, with a
// warning that does not change the exit status.
TEST_F(ConvertCommand, TrashSourcesMovesOnlyCompletedFilesSources) {
  const testing::HomeTrash trash;
  const std::string one = WriteSample(Tone(sources / "one.m4a", 1.0));
  const std::string bad = sources / "bad.m4a";
  std::ofstream(bad) << "not audio";
  auto result = Convert({"--trash-sources", "--output-dir", output.path().string(), one, bad});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.out.find("\nTrashed: " + one + "\n1 completed, 1 failed\n"), std::string::npos)
      << result.out;
  EXPECT_EQ(result.out.find("Trashed: " + bad), std::string::npos) << result.out;
  EXPECT_TRUE(std::filesystem::exists(trash.file("one.m4a")));
  EXPECT_FALSE(std::filesystem::exists(one));
  EXPECT_TRUE(std::filesystem::exists(bad));

  const std::string two = WriteSample(Tone(sources / "two.m4a", 1.0));
  std::filesystem::remove_all(trash.folder());
  std::ofstream(trash.folder()) << "a file where the Trash would be";
  result = Convert({"--trash-sources", "--output-dir", output.path().string(), two});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err.rfind("varnell-convert: warning: " + two +
                                 " stays: it cannot go to the Trash: it cannot be moved into " +
                                 trash.folder() + ": Not a directory",
                             0),
            0u)
      << result.err;
  EXPECT_TRUE(std::filesystem::exists(two));
}

TEST_F(ConvertCommand, WmaClipWithEveryOption) {
  WriteSample(Tone(sources / "long.m4a", 5.0, 48000));
  const auto result =
      Convert({"--format", "wma", "--encoder", "WMA7", "--bitrate", "96", "--sample-rate", "32000",
               "--channels", "1", "--start", "00:00:01", "--end", "00:00:03", "--output-dir",
               output.path().string(), sources / "long.m4a"});
  ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
  const auto report = Inspect(output / "long.wma");
  EXPECT_EQ(report.streams.at(0).codec, "wmav1");
  EXPECT_EQ(report.sampleRate, 32000);
  EXPECT_EQ(report.channels, 1);
  EXPECT_NEAR(report.decodedSamples, 2 * 32000, 4096);
}

// Each --format word writes its format's own encoder, whole, at the rate the format preselects.
TEST_F(ConvertCommand, EveryFormatWordWritesItsOwnCodec) {
  WriteSample(Tone(sources / "tone.m4a", 1.0));
  for (const auto& [format, codec, rate] :
       {std::tuple{"m4a", "aac", 44100}, std::tuple{"ogg", "vorbis", 44100},
        std::tuple{"opus", "opus", 48000}, std::tuple{"flac", "flac", 44100},
        std::tuple{"wav", "pcm_s16le", 44100}, std::tuple{"aac", "aac", 44100},
        std::tuple{"aiff", "pcm_s16be", 44100}}) {
    const auto result =
        Convert({"--format", format, "--output-dir", output.path().string(), sources / "tone.m4a"});
    ASSERT_EQ(result.exitCode, 0) << format << result.out << result.err;
    const auto report = Inspect(output / (std::string("tone.") + format));
    EXPECT_EQ(report.streams.at(0).codec, codec);
    EXPECT_EQ(report.sampleRate, rate) << format;
    EXPECT_NEAR(report.decodedSamples, rate, rate / 20) << format;
  }
}

// --end is exact where it falls on a whole second, also on the file's whole-second length; an
// end past the file's end stops at the end, and a clip that ends where it starts is no file.
TEST_F(ConvertCommand, ClipEndsOnWholeSecondsAreExactInFilesAndMerges) {
  const std::string shorter = WriteSample(Tone(sources / "shorter.m4a", 2.75));
  const std::string longer = WriteSample(Tone(sources / "longer.m4a", 4.25));
  for (const char* folder : {"clipped", "atLength", "merged", "empty"}) {
    std::filesystem::create_directory(output / folder);
  }
  const auto clipped = Convert(
      {"--start", "00:00:01", "--end", "00:00:02", "--output-dir", (output / "clipped"), shorter});
  EXPECT_EQ(Lines(clipped.out).back(), "1 completed, 0 failed") << clipped.out << clipped.err;
  EXPECT_NEAR(Inspect(output / "clipped/shorter.mp3").decodedSamples, 44100, 44);

  const auto atLength =
      Convert({"--end", "00:00:04", "--output-dir", (output / "atLength"), longer, shorter});
  EXPECT_EQ(Lines(atLength.out).back(), "2 completed, 0 failed") << atLength.out;
  EXPECT_NEAR(Inspect(output / "atLength/longer.mp3").decodedSamples, 4 * 44100, 44);
  EXPECT_NEAR(Inspect(output / "atLength/shorter.mp3").decodedSamples, 2.75 * 44100, 44);

  const auto merged = Convert({"--merge", "--start", "00:00:01", "--end", "00:00:02",
                               "--output-dir", (output / "merged"), shorter, longer});
  EXPECT_EQ(merged.exitCode, 0) << merged.out << merged.err;
  EXPECT_NEAR(Inspect(output / "merged/shorter.mp3").decodedSamples, 2 * 44100, 2 * 44);

  const auto empty = Convert(
      {"--start", "00:00:02", "--end", "00:00:02", "--output-dir", (output / "empty"), shorter});
  EXPECT_EQ(empty.exitCode, 1);
  EXPECT_EQ(Lines(empty.out).front(),
            "Failure: " + shorter + ": nothing to convert: the clip ends where it starts");
  EXPECT_TRUE(std::filesystem::is_empty(output / "empty"));
}

// Each chapter into a file of its own, cut to the sample where the chapter starts and ends: in
// FLAC the parts laid end to end are the whole file's conversion, sample for sample. A file
// without chapters in the same batch is converted whole, with a note.
TEST_F(ConvertCommand, SplitChaptersCutsEachChapterExactlyAndGaplessly) {
  const testmedia::SampleSpec book = testing::Audiobook(sources / "book.m4b");
  WriteSample(book);
  const std::string plain = WriteSample(Tone(sources / "plain.m4a", 1.0));
  std::filesystem::create_directory(output / "whole");
  std::filesystem::create_directory(output / "parts");
  const auto whole = Convert({"--format", "flac", "--output-dir", (output / "whole"), book.path});
  ASSERT_EQ(whole.exitCode, 0) << whole.out << whole.err;
  const auto split = Convert({"--split-chapters", "--format", "flac", "--output-dir",
                              (output / "parts"), book.path, plain});
  ASSERT_EQ(split.exitCode, 0) << split.out << split.err;
  EXPECT_EQ(split.err, "varnell-convert: " + plain + " has no chapters: converted whole\n");
  std::vector<std::string> parts;
  for (const std::string& line : Lines(split.out)) {
    if (line.rfind("Completed: ", 0) == 0) parts.push_back(line.substr(11));
  }
  ASSERT_EQ(parts.size(), book.chapters.size() + 1) << split.out;
  EXPECT_NEAR(Inspect(parts.back()).decodedSamples, 44100, 44);

  const auto wholeSound = Inspect(output / "whole/book.flac");
  ASSERT_EQ(wholeSound.decodedSamples, 20 * 44100);
  std::vector<std::vector<float>> joined(2);
  for (std::size_t chapter = 0; chapter < book.chapters.size(); ++chapter) {
    const auto part = Inspect(parts[chapter]);
    const auto sample = [](double seconds) { return std::llround(seconds * 44100); };
    EXPECT_EQ(part.decodedSamples, sample(book.chapters[chapter].endSeconds) -
                                       sample(book.chapters[chapter].startSeconds))
        << parts[chapter];
    for (int channel = 0; channel < 2; ++channel) {
      joined[channel].insert(joined[channel].end(), part.samples[channel].begin(),
                             part.samples[channel].end());
    }
  }
  for (int channel = 0; channel < 2; ++channel) {
    ASSERT_EQ(joined[channel].size(), wholeSound.samples[channel].size());
    const auto [differs, _] = std::mismatch(joined[channel].begin(), joined[channel].end(),
                                            wholeSound.samples[channel].begin());
    EXPECT_EQ(differs - joined[channel].begin(), std::ssize(joined[channel])) << channel;
  }
}

struct VideoPresetCase {
  std::vector<std::string> options;
  std::string output;  // file name in the output folder
  std::string codec, container, audioCodec;
  int width, height;
  double framesPerSecond;
};

// A phone-like video through video presets: the row's defaults, and every video option given.
TEST_F(ConvertCommand, VideoPresetWritesTheChosenVideoAndItsSound) {
  testmedia::PatternVideo pattern;
  pattern.path = sources / "phone.mp4";
  pattern.seconds = 2.0;
  std::string error;
  ASSERT_TRUE(testmedia::WritePatternVideo(pattern, &error)) << error;
  const std::vector<VideoPresetCase> cases{
      {{"--preset", "90000"}, "phone.asf", "mpeg4", "asf", "mp3", 320, 240, 29.97},
      {{"--preset", "90005", "--video-codec", "H.264", "--size", "640*360", "--fps", "25",
        "--video-bitrate", "800"},
       "phone.mp4",
       "h264",
       "mov,mp4,m4a,3gp,3g2,mj2",
       "aac",
       640,
       360,
       25.0},
      {{"--preset", "90000", "--encoder", "WMA8"},
       "phone(0).asf",
       "mpeg4",
       "asf",
       "wmav2",
       320,
       240,
       29.97},
  };
  for (const VideoPresetCase& c : cases) {
    SCOPED_TRACE(c.output);
    std::vector<std::string> arguments = c.options;
    arguments.insert(arguments.end(), {"--output-dir", output.path().string(), pattern.path});
    const auto result = Convert(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(result.out, "Completed: " + (output / c.output) + "\n1 completed, 0 failed\n");
    testmedia::VideoReport video;
    ASSERT_TRUE(testmedia::InspectVideo(output / c.output, video, &error)) << error;
    EXPECT_EQ(video.formatName, c.container);
    EXPECT_EQ(video.codec, c.codec);
    EXPECT_EQ(video.width, c.width);
    EXPECT_EQ(video.height, c.height);
    EXPECT_NEAR(video.framesPerSecond, c.framesPerSecond, 0.01);
    EXPECT_EQ(video.decodeErrors, 0);
    EXPECT_NEAR(video.pictures.size() / c.framesPerSecond, pattern.seconds,
                1.0 / c.framesPerSecond);
    const auto sound = Inspect(output / c.output);
    EXPECT_EQ(sound.streams.at(sound.audioStreamIndex).codec, c.audioCodec);
    EXPECT_NEAR(sound.decodedSamples / 44100.0, pattern.seconds, 0.05);
  }
}

TEST_F(ConvertCommand, InfoPrintsTheProbeResults) {
  WriteSample(Tone(sources / "probe.m4a", 65.0, 22050, 1));
  const auto result = Convert({"--info", sources / "probe.m4a"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  for (const std::string& line :
       {"Source file: " + (sources / "probe.m4a"), std::string("Media length: 00:01:05"),
        std::string("Sample rate: 22050"), std::string("Audio channels: 1"),
        std::string("Width: 0"), std::string("Frame rate: \n")}) {
    EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
  }
  EXPECT_EQ(Convert({"--info", sources / "missing.m4a"}).exitCode, 1);
  EXPECT_TRUE(std::filesystem::is_empty(output.path()));
}

// Waits until `files` files in the folder, finished or not, hold the given number of bytes each.
void WaitForOutputBytes(const std::filesystem::path& folder, std::uintmax_t bytes, int files = 1) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  for (;;) {
    int grown = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      std::error_code gone;  // a temporary file may be renamed between listing and sizing
      if (entry.is_regular_file(gone) && entry.file_size(gone) >= bytes && !gone) ++grown;
    }
    if (grown >= files) return;
    ASSERT_LT(std::chrono::steady_clock::now(), deadline)
        << files << " outputs did not grow to " << bytes << " bytes";
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// Two files being converted at once both end shortened, in the order given, and the third never
// starts.
TEST_F(ConvertCommand, StopSignalsFinishTheFilesBeingConvertedEvenWhenRepeated) {
  WriteSample(Tone(sources / "a.m4a", 120.0));
  WriteSample(Tone(sources / "b.m4a", 120.0));
  WriteSample(Tone(sources / "c.m4a", 1.0));
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(strsignal(signal));
    TempFolder folder;
    Process converter(program,
                      {"--jobs", "2", "--output-dir", folder.path().string(), sources / "a.m4a",
                       sources / "b.m4a", sources / "c.m4a"},
                      logs.path().string());
    WaitForOutputBytes(folder.path(), 20000, 2);
    converter.Signal(signal);
    EXPECT_TRUE(converter.WaitForError(": stopping;"));
    converter.Signal(signal);  // used to end the program at once, mid-file
    const auto result = converter.Wait();
    EXPECT_EQ(result.signal, 0) << result.err;
    EXPECT_EQ(result.exitCode, 128 + signal) << result.out << result.err;
    EXPECT_EQ(result.out, "Stopped: " + (folder / "a.mp3") + "\nStopped: " + (folder / "b.mp3") +
                              "\n0 completed, 2 stopped, 1 not started, 0 failed\n");
    for (const char* name : {"a.mp3", "b.mp3"}) {
      const auto report = Inspect(folder / name);
      EXPECT_GT(report.decodedSamples, 0) << name;
      EXPECT_LT(report.decodedSamples, 100 * 44100) << name;
      EXPECT_EQ(report.decodeErrors, 0) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "c.mp3"));
  }
}

// `varnell-convert ... | head -n 1` once head has gone: the first result line cannot be
// written, which ends the batch as a stop does instead of killing the program.
TEST_F(ConvertCommand, ClosedStandardOutputStopsTheBatch) {
  WriteSample(Tone(sources / "one.m4a", 1.0));
  WriteSample(Tone(sources / "two.m4a", 120.0));
  WriteSample(Tone(sources / "three.m4a", 1.0));
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  ::close(pipeEnds[0]);
  Process converter(program,
                    {"--jobs", "1", "--output-dir", output.path().string(), sources / "one.m4a",
                     sources / "two.m4a", sources / "three.m4a"},
                    logs.path().string(), pipeEnds[1]);
  ::close(pipeEnds[1]);
  const auto result = converter.Wait();
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exitCode, 141) << result.err;
  EXPECT_NE(result.err.find("varnell-convert: standard output is closed"), std::string::npos)
      << result.err;
  EXPECT_NEAR(Inspect(output / "one.mp3").decodedSamples, 44100, 44);
  // The file being converted when the first line failed ends shortened; none starts after it.
  if (std::filesystem::exists(output / "two.mp3")) {
    EXPECT_LT(Inspect(output / "two.mp3").decodedSamples, 100 * 44100);
  }
  EXPECT_FALSE(std::filesystem::exists(output / "three.mp3"));
}

// --merge: one line per file in the order given, then the output's line and the summary; the
// clip applies to every file and the output is named after the first file that opens.
TEST_F(ConvertCommand, MergeReportsEachFileAndTheOneOutput) {
  WriteSample(Tone(sources / "one.m4a", 4.0));
  WriteSample(Tone(sources / "two.m4a", 4.0, 48000, 1));
  const std::string bad = sources / "bad.m4a";
  std::ofstream(bad) << "not audio";
  const auto result =
      Convert({"--merge", "--start", "00:00:01", "--end", "00:00:03", "--output-dir",
               output.path().string(), bad, sources / "one.m4a", bad, sources / "two.m4a"});
  EXPECT_EQ(result.exitCode, 1) << result.err;
  const std::string badLine =
      "Failure: " + bad + ": cannot open source: Invalid data found when processing input";
  EXPECT_EQ(Lines(result.out), (std::vector<std::string>{
                                   badLine, "Merged: " + (sources / "one.m4a"), badLine,
                                   "Merged: " + (sources / "two.m4a"),
                                   "Completed: " + (output / "one.mp3"), "2 completed, 2 failed"}));
  EXPECT_NEAR(Inspect(output / "one.mp3").decodedSamples, 4 * 44100, 2 * 44);

  const auto nothing = Convert({"--merge", "--output-dir", output.path().string(), bad, bad});
  EXPECT_EQ(nothing.exitCode, 1);
  EXPECT_TRUE(nothing.out.ends_with(
      "\nFailure: no output: none of the files could be merged\n0 completed, 2 failed\n"))
      << nothing.out;
  const auto single = Convert({"--merge", sources / "one.m4a"});
  EXPECT_EQ(single.exitCode, 2);
  EXPECT_EQ(single.err.rfind(
                "varnell-convert: Merge is effective when two or more files are chosen!\n", 0),
            0u)
      << single.err;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(output.path()), {}), 1);
}

// Ctrl+C during a merge ends the file being merged where it is and finishes the output, which
// plays to its end; the file not reached gets no line.
TEST_F(ConvertCommand, MergeStoppedByControlCKeepsAPlayableFile) {
  WriteSample(Tone(sources / "first.m4a", 1.0));
  WriteSample(Tone(sources / "long.m4a", 120.0));
  WriteSample(Tone(sources / "last.m4a", 1.0));
  Process converter(program,
                    {"--merge", "--output-dir", output.path().string(), sources / "first.m4a",
                     sources / "long.m4a", sources / "last.m4a"},
                    logs.path().string());
  WaitForOutputBytes(output.path(), 60000);
  converter.Signal(SIGINT);
  const auto result = converter.Wait();
  EXPECT_EQ(result.exitCode, 128 + SIGINT) << result.err;
  const std::string merged = output / "first.mp3";
  EXPECT_EQ(result.out, "Merged: " + (sources / "first.m4a") + "\nStopped: " + merged +
                            "\n1 completed, 1 stopped, 1 not started, 0 failed\n");
  const auto report = Inspect(merged);
  EXPECT_GT(report.decodedSamples, 2 * 44100);
  EXPECT_LT(report.decodedSamples, 100 * 44100);
  EXPECT_EQ(report.decodeErrors, 0);
}

TEST_F(ConvertCommand, ControlCharactersInNamesArePrintedEscaped) {
  const std::string forging = sources / "a\nCompleted: forged.m4a";
  const std::string colouring = sources / "\x1b[31mred\\.m4a";
  WriteSample(Tone(forging, 1.0));
  WriteSample(Tone(colouring, 1.0));
  const std::string missing = sources / "gone\t.m4a";
  const auto result =
      Convert({"--jobs", "1", "--output-dir", output.path().string(), forging, colouring, missing});
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 4u) << result.out;
  EXPECT_EQ(lines[0], "Completed: " + (output / "a\\nCompleted: forged.mp3"));
  EXPECT_EQ(lines[1], "Completed: " + (output / "\\x1b[31mred\\\\.mp3"));
  EXPECT_EQ(lines[2].rfind("Failure: " + (sources / "gone\\t.m4a") + ": cannot open source", 0), 0u)
      << lines[2];
  EXPECT_EQ(lines[3], "2 completed, 1 failed");
  EXPECT_TRUE(std::filesystem::exists(output / "a\nCompleted: forged.mp3"));

  const auto info = Convert({"--info", colouring});
  EXPECT_NE(info.out.find("Source file: " + (sources / "\\x1b[31mred\\\\.m4a") + "\n"),
            std::string::npos)
      << info.out;
  EXPECT_EQ(info.out.find('\x1b'), std::string::npos);
}

// Names of the entries in a folder, hidden ones too.
std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// `ulimit -f 100`: the file that grows past the limit fails with the write's error and leaves no
// temporary; the files beside it, and the report, go on. A merge's output fails as a whole.
TEST_F(ConvertCommand, AFileSizeLimitFailsOnlyTheFileOverIt) {
  WriteSample(Tone(sources / "tone.m4a", 1.0));
  WriteSample(Tone(sources / "long.m4a", 30.0));  // about 480 KB of MP3
  WriteSample(Tone(sources / "other.m4a", 1.0));
  testing::ChildSetUp limited;
  limited.fileSizeLimitBytes = 100 * 1024;
  limited.alarmSeconds = 120;
  const std::string tooLarge = "cannot write output: File too large";
  {
    Process converter(program,
                      {"--jobs", "2", "--output-dir", output.path().string(), sources / "tone.m4a",
                       sources / "long.m4a", sources / "other.m4a"},
                      logs.path().string(), -1, limited);
    const auto result = converter.Wait();
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_EQ(Lines(result.out),
              (std::vector<std::string>{"Completed: " + (output / "tone.mp3"),
                                        "Failure: " + (sources / "long.m4a") + ": " + tooLarge,
                                        "Completed: " + (output / "other.mp3"),
                                        "2 completed, 1 failed"}));
    EXPECT_EQ(NamesIn(output.path()), (std::vector<std::string>{"other.mp3", "tone.mp3"}));
  }
  TempFolder merged;
  Process converter(program,
                    {"--merge", "--output-dir", merged.path().string(), sources / "tone.m4a",
                     sources / "long.m4a", sources / "other.m4a"},
                    logs.path().string(), -1, limited);
  const auto result = converter.Wait();
  EXPECT_EQ(result.exitCode, 1) << result.err;
  // The first file was merged before the output failed; with the output gone it failed too, and
  // no line said it was merged.
  std::vector<std::string> expected;
  for (const char* file : {"tone.m4a", "long.m4a", "other.m4a"}) {
    expected.push_back("Failure: " + (sources / file) + ": " + tooLarge);
  }
  expected.insert(expected.end(), {"Failure: no output: " + tooLarge, "0 completed, 3 failed"});
  EXPECT_EQ(Lines(result.out), expected);
  EXPECT_TRUE(std::filesystem::is_empty(merged.path()));
}

// A script's reader that stops reading while many short files convert: the stop signal stops the
// batch although the main thread is blocked writing a result line. No file starts after it, the
// lines that cannot be written are given up, and the program exits with the signal's status.
TEST_F(ConvertCommand, StopSignalStopsABatchWhoseStandardOutputIsBlocked) {
  WriteSample(Tone(sources / "tone.m4a", 0.5));
  constexpr int kFiles = 300;
  std::vector<std::string> files;
  for (int file = 0; file < kFiles; ++file) {
    char name[16];
    std::snprintf(name, sizeof name, "f%03d.m4a", file);
    files.push_back(sources / name);
    std::filesystem::copy_file(sources / "tone.m4a", files.back());
  }
  for (const bool merge : {false, true}) {
    SCOPED_TRACE(merge ? "--merge" : "--jobs 2");
    TempFolder folder;
    int pipeEnds[2];
    ASSERT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);
    ::fcntl(pipeEnds[1], F_SETPIPE_SZ, 4096);
    const int capacity = ::fcntl(pipeEnds[1], F_GETPIPE_SZ);
    std::vector<std::string> arguments =
        merge ? std::vector<std::string>{"--merge"} : std::vector<std::string>{"--jobs", "2"};
    arguments.insert(arguments.end(), {"--output-dir", folder.path().string()});
    arguments.insert(arguments.end(), files.begin(), files.end());
    testing::ChildSetUp guarded;
    guarded.alarmSeconds =
        60;  // a converter that cannot stop ends by SIGALRM instead of hanging the test
    Process converter(program, arguments, logs.path().string(), pipeEnds[1], guarded);
    ::close(pipeEnds[1]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    if (merge) {
      // A merge prints its lines once it has ended: the signal comes when a third of the files
      // are in (128 kb/s: 8 kB a file), and their lines then fill the pipe.
      const std::uintmax_t third = kFiles / 3 * 8000;
      for (std::uintmax_t merged = 0; merged < third;) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << merged << " bytes merged";
        merged = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
          std::error_code gone;  // the hidden file is renamed as the merge ends
          const std::uintmax_t size = entry.file_size(gone);
          if (!gone) merged = std::max(merged, size);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    } else {
      // Every line is at least this long; once less room is left, the next write blocks.
      const int shortestLine =
          static_cast<int>(std::string("Completed: ").size() + (folder / "f000.mp3").size());
      for (int queued = 0; queued <= capacity - shortestLine;) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << queued << " bytes in the pipe";
        ::ioctl(pipeEnds[0], FIONREAD, &queued);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
    const std::size_t begun = NamesIn(folder.path()).size();
    converter.Signal(SIGTERM);
    const auto result = converter.Wait();
    ::close(pipeEnds[0]);
    EXPECT_EQ(result.signal, 0) << result.err;
    EXPECT_EQ(result.exitCode, 128 + SIGTERM) << result.err;
    const std::vector<std::string> names = NamesIn(folder.path());
    EXPECT_TRUE(std::none_of(names.begin(), names.end(),
                             [](const std::string& name) { return name.front() == '.'; }));
    if (merge) {
      ASSERT_EQ(names, std::vector<std::string>{"f000.mp3"});
      EXPECT_LT(Inspect(folder / "f000.mp3").decodedSamples, kFiles / 2 * 0.5 * 44100);
    } else {
      // The files begun by the signal (and, at most, the two taken as it came) are all there are.
      EXPECT_LE(names.size(), begun + 2);
      EXPECT_LT(names.size(), static_cast<std::size_t>(kFiles / 2));
    }
  }
}

// A one-picture video whose output is smaller than its thumbnail: a file-size limit between the
// two lets the output through but not the thumbnail, a real note on a completed file.
TEST_F(ConvertCommand, ANoteOfACompletedFileFollowsItsCompletedLine) {
  const std::string video = testing::WriteOnePictureVideo(sources / "clip.mp4");
  const std::vector<std::string> options{"--preset",        "91303", "--video-codec", "MPEG4",
                                         "--size",          "32*24", "--fps",         "25",
                                         "--video-bitrate", "64",    "--output-dir"};
  auto arguments = options;
  arguments.insert(arguments.end(), {output.path().string(), video});
  ASSERT_EQ(Convert(arguments).exitCode, 0);
  const auto outputBytes = std::filesystem::file_size(output / "clip.MP4");
  const auto thumbnailBytes = std::filesystem::file_size(output / "clip.THM");
  ASSERT_GT(thumbnailBytes, outputBytes + 256);

  TempFolder limited;
  arguments = options;
  arguments.insert(arguments.end(), {limited.path().string(), video});
  testing::ChildSetUp setUp;
  setUp.fileSizeLimitBytes = (outputBytes + thumbnailBytes) / 2;
  const auto result = Process(program, arguments, logs.path().string(), -1, setUp).Wait();
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::string outputPath = limited / "clip.MP4";
  EXPECT_EQ(result.out, "Completed: " + outputPath + "\nNote: " + outputPath +
                            ": thumbnail not written: cannot write thumbnail: File too large\n1 "
                            "completed, 0 failed\n");
  EXPECT_EQ(NamesIn(limited.path()), std::vector<std::string>{"clip.MP4"});
}

}  // namespace
}  // namespace varnell

// One batch session converts the command line's files with --jobs row threads; the results come
// back in the order of the files, whatever order the rows finish in.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "Media.h"
#include "TempFolder.h"
#include "ThreadsCannotStart.h"
#include "cli/CommandLineBatch.h"
#include "cli/ConversionSettings.h"
#include "cli/FolderArguments.h"
#include "settings/RecordingMessageSink.h"

namespace varnell {
namespace {

using testing::Inspect;
using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;

class Batch : public ::testing::Test {
 protected:
  CommandLineOptions OptionsFor(const std::vector<std::string>& files, int jobs) {
    std::vector<std::string> arguments{"--jobs", std::to_string(jobs), "--output-dir",
                                       output.path().string()};
    arguments.insert(arguments.end(), files.begin(), files.end());
    return std::get<CommandLineOptions>(ParseCommandLine(arguments, 1));
  }

  // Runs the files to their end; returns the outcomes in the order they were reported.
  std::vector<FileOutcome> Run(const std::vector<std::string>& files, int jobs,
                               std::vector<std::optional<ProbeResult>> probes = {}) {
    const CommandLineOptions options = OptionsFor(files, jobs);
    RecordingMessageSink messages;
    const OutputSettings settings = ConversionSettingsFor(options, messages);
    EXPECT_TRUE(messages.messages.empty());
    CommandLineBatch batch(options, settings, OutputFor(options), {}, std::move(probes));
    std::vector<FileOutcome> outcomes;
    int lastEnded = -1;
    const std::thread::id caller = std::this_thread::get_id();
    batch.Run(
        [&](const FileOutcome& outcome) {
          EXPECT_EQ(std::this_thread::get_id(), caller);
          outcomes.push_back(outcome);
        },
        [&](const std::vector<ActiveFile>&, int ended) { lastEnded = ended; },
        [] { return false; });
    EXPECT_EQ(lastEnded, static_cast<int>(files.size()));
    return outcomes;
  }

  TempFolder sources;
  TempFolder output;
};

// The short files after a long first one end first, yet each line waits for the files before it
// and names that file's own output; the collision name goes to the later row every time.
TEST_F(Batch, RowsFinishingOutOfOrderAreReportedInFileOrder) {
  std::filesystem::create_directory(sources / "a");
  std::filesystem::create_directory(sources / "b");
  const std::string bad = sources / "bad.m4a";
  std::ofstream(bad) << "not audio";
  const std::vector<std::string> files{WriteSample(Tone(sources / "long.m4a", 40.0)),
                                       WriteSample(Tone(sources / "a/song.m4a", 1.0)), bad,
                                       WriteSample(Tone(sources / "b/song.m4a", 2.0))};
  const std::vector<FileOutcome> outcomes = Run(files, 2);
  ASSERT_EQ(outcomes.size(), files.size());
  for (std::size_t row = 0; row < files.size(); ++row)
    EXPECT_EQ(outcomes[row].sourcePath, files[row]);
  const std::vector<std::pair<std::string, double>> converted{{output / "long.mp3", 40.0},
                                                              {output / "song.mp3", 1.0},
                                                              {"", 0.0},
                                                              {output / "song(0).mp3", 2.0}};
  for (std::size_t row = 0; row < files.size(); ++row) {
    SCOPED_TRACE(files[row]);
    if (converted[row].first.empty()) {
      EXPECT_EQ(outcomes[row].kind, FileOutcome::Kind::Failed);
      EXPECT_EQ(outcomes[row].reason,
                "cannot open source: Invalid data found when processing input");
      continue;
    }
    EXPECT_EQ(outcomes[row].kind, FileOutcome::Kind::Completed);
    EXPECT_EQ(outcomes[row].outputPath, converted[row].first);
    EXPECT_NEAR(Inspect(converted[row].first).decodedSamples / 44100.0, converted[row].second,
                0.01);
  }
}

TEST_F(Batch, RowThreadsAreBoundedByTheFilesAndTheCores) {
  const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  const int limit = CommandLineBatch::kJobsPerCore * cores;
  const auto rowWorkers = [&](int files, int jobs) {
    const CommandLineOptions options =
        OptionsFor(std::vector<std::string>(files, sources / "x.m4a"), jobs);
    return CommandLineBatch(options, OutputSettings{}, OutputFor(options)).rowWorkers();
  };
  EXPECT_EQ(rowWorkers(3, 1000), 3);
  EXPECT_EQ(rowWorkers(limit + 8, 1000), limit);
  EXPECT_EQ(rowWorkers(5, 2), 2);
}

// No thread at all: every file fails, each with a reason of its own, and the batch returns.
TEST_F(Batch, AWorkerThatCannotStartFailsEveryFileWithTheReason) {
  const std::vector<std::string> files{WriteSample(Tone(sources / "a.m4a", 1.0)),
                                       sources / "missing.m4a",
                                       WriteSample(Tone(sources / "b.m4a", 1.0))};
  std::vector<FileOutcome> outcomes;
  {
    const testing::ThreadsCannotStart noThreads;
    outcomes = Run(files, 2);
  }
  ASSERT_EQ(outcomes.size(), 3u);
  for (const FileOutcome& outcome : outcomes) EXPECT_EQ(outcome.kind, FileOutcome::Kind::Failed);
  EXPECT_EQ(outcomes[0].reason,
            "cannot start the conversion thread: Resource temporarily unavailable");
  EXPECT_EQ(outcomes[1].reason, "cannot open source: No such file or directory");
  EXPECT_EQ(outcomes[2].reason, outcomes[0].reason);
  EXPECT_TRUE(std::filesystem::is_empty(output.path()));
}

// A folder's files were probed by its scan: the batch takes those probes rather than opening
// each file of a library a second time, and probes only the files named on their own.
TEST_F(Batch, TheProbesOfAFolderScanAreTakenAndOnlyNamedFilesAreProbed) {
  std::filesystem::create_directory(sources / "Lib");
  WriteSample(Tone(sources / "Lib/a.m4a", 1.0));
  WriteSample(Tone(sources / "Lib/b.m4a", 2.0));
  const std::string named = WriteSample(Tone(sources / "c.m4a", 1.0));
  FolderArguments expanded = ExpandFolderArguments({sources / "Lib", named}, [] { return false; });
  ASSERT_EQ(expanded.files.size(), 3u);
  ASSERT_EQ(expanded.probes.size(), 3u);
  ASSERT_TRUE(expanded.probes[1].has_value());
  EXPECT_NEAR(expanded.probes[1]->durationMicroseconds / 1e6, 2.0, 0.05);
  EXPECT_FALSE(expanded.probes[2].has_value());

  // The kept probe of a.m4a is swapped for a real one of a file that is not audio: had the
  // batch probed a.m4a again, it would have converted it.
  const std::string notAudio = sources / "notes.m4a";
  std::ofstream(notAudio) << "track list";
  expanded.probes[0] = ProbeSource(notAudio);
  const std::vector<FileOutcome> outcomes = Run(expanded.files, 1, expanded.probes);
  ASSERT_EQ(outcomes.size(), 3u);
  EXPECT_EQ(outcomes[0].kind, FileOutcome::Kind::Failed);
  EXPECT_EQ(outcomes[0].reason, "cannot open source: Invalid data found when processing input");
  EXPECT_EQ(outcomes[1].kind, FileOutcome::Kind::Completed);
  EXPECT_EQ(outcomes[2].kind, FileOutcome::Kind::Completed);
  EXPECT_NEAR(Inspect(outcomes[1].outputPath).decodedSamples / 44100.0, 2.0, 0.01);
}

}  // namespace
}  // namespace varnell

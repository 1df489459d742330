// How many job threads a batch starts, and what it does when the system refuses one.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <system_error>

#include "Media.h"
#include "TempFolder.h"
#include "cli/BatchConverter.h"
#include "cli/ConversionSettings.h"
#include "settings/RecordingMessageSink.h"

namespace varnell {
namespace {

using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;

class Batch : public ::testing::Test {
 protected:
  // Runs the files through a batch whose threads come from startThread; returns the outcomes.
  std::vector<FileOutcome> Run(const std::vector<std::string>& files, int jobs,
                               ThreadStarter startThread) {
    std::vector<std::string> arguments{"--jobs", std::to_string(jobs), "--output-dir",
                                       output.path().string()};
    arguments.insert(arguments.end(), files.begin(), files.end());
    const auto options = std::get<CommandLineOptions>(ParseCommandLine(arguments, 1));
    RecordingMessageSink messages;
    const OutputSettings settings = ConversionSettingsFor(options, messages);
    EXPECT_TRUE(messages.messages.empty());
    BatchConverter batch(options, settings, FormatNameFor(options), std::move(startThread));
    std::vector<FileOutcome> outcomes;
    batch.Run([&](const FileOutcome& outcome) { outcomes.push_back(outcome); },
              [](const std::vector<ActiveFile>&, int) {}, [] { return false; });
    return outcomes;
  }

  int Count(const std::vector<FileOutcome>& outcomes, FileOutcome::Kind kind) {
    return static_cast<int>(std::count_if(outcomes.begin(), outcomes.end(),
                                          [&](const FileOutcome& o) { return o.kind == kind; }));
  }

  TempFolder sources;
  TempFolder output;
};

TEST_F(Batch, JobThreadsAreBoundedByTheCores) {
  const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  const int limit = BatchConverter::kJobsPerCore * cores;
  std::vector<std::string> files{WriteSample(Tone(sources / "a.m4a", 1.0)),
                                 WriteSample(Tone(sources / "b.m4a", 1.0))};
  while (static_cast<int>(files.size()) < limit + 8) files.push_back(sources / "missing.m4a");
  std::atomic<int> started{0};
  const auto outcomes = Run(files, 1000, [&](std::function<void()> run) {
    ++started;
    return StartJobThread(std::move(run));
  });
  EXPECT_LE(started.load(), limit);
  ASSERT_EQ(outcomes.size(), files.size());
  EXPECT_EQ(Count(outcomes, FileOutcome::Kind::Completed), 2);
  EXPECT_EQ(Count(outcomes, FileOutcome::Kind::Failed), static_cast<int>(files.size()) - 2);
}

TEST_F(Batch, AThreadThatCannotStartLeavesItsFilesToTheOthersOrFailsThem) {
  const std::vector<std::string> files{WriteSample(Tone(sources / "a.m4a", 1.0)),
                                       WriteSample(Tone(sources / "b.m4a", 1.0)),
                                       WriteSample(Tone(sources / "c.m4a", 1.0))};
  const auto refuseAfter = [](int allowed) {
    return [allowed, started = 0](std::function<void()> run) mutable {
      if (started++ >= allowed) throw std::system_error(EAGAIN, std::generic_category());
      return StartJobThread(std::move(run));
    };
  };
  EXPECT_EQ(Count(Run(files, 3, refuseAfter(1)), FileOutcome::Kind::Completed), 3);

  const auto outcomes = Run(files, 3, refuseAfter(0));
  ASSERT_EQ(outcomes.size(), 3u);
  for (const FileOutcome& outcome : outcomes) {
    EXPECT_EQ(outcome.kind, FileOutcome::Kind::Failed);
    EXPECT_EQ(outcome.reason, "cannot start a conversion thread: Resource temporarily unavailable");
  }
}

}  // namespace
}  // namespace varnell

// varnell-convert: the command-line converter on the same engine, job rules and worker as the
// main window.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <thread>

#include "cli/BatchReport.h"
#include "cli/ChapterArguments.h"
#include "cli/CommandLineBatch.h"
#include "cli/CommandLineOptions.h"
#include "cli/ConversionSettings.h"
#include "cli/FolderArguments.h"
#include "cli/MediaInfoReport.h"
#include "cli/PresetListing.h"
#include "cli/ResultLines.h"
#include "cli/StopSignals.h"
#include "cli/TerminalText.h"
#include "engine/FileSizeLimitSignal.h"
#include "engine/LibraryLog.h"
#include "settings/MessageSink.h"

namespace {

constexpr int kExitUsage = 2;

void PrintMessage(const std::string& text) {
  std::fprintf(stderr, "varnell-convert: %s\n", varnell::EscapedForTerminal(text).c_str());
}

int RefuseWithUsage(const std::string& text) {
  PrintMessage(text);
  std::fputs(varnell::UsageText().c_str(), stderr);
  return kExitUsage;
}

class StandardErrorMessages : public varnell::MessageSink {
 public:
  void ShowMessage(const std::string& text) override { PrintMessage(text); }
};

// "out/" and "out" name the same folder; the job rules add the "/" themselves.
std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// Empty when the output folder can take the outputs, else what is wrong with it.
std::string OutputFolderProblem(const std::string& folder) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(folder, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    return "the output folder does not exist: " + folder;
  }
  if (error) return "cannot reach the output folder " + folder + ": " + error.message();
  if (status.type() != std::filesystem::file_type::directory) {
    return "--output-dir " + folder + " is not a folder";
  }
  return {};
}

int Convert(const varnell::CommandLineOptions& options, varnell::FolderArguments expanded,
            std::vector<varnell::FileChapter> chapters, varnell::ResultLines& results) {
  using namespace varnell;
  StandardErrorMessages messages;
  const OutputSettings settings = ConversionSettingsFor(options, messages);
  BatchReport report(results, stderr, isatty(STDERR_FILENO) != 0,
                     static_cast<int>(options.files.size()));
  CommandLineBatch batch(options, settings, OutputFor(options),
                         std::move(expanded.outputSubfolders), std::move(expanded.probes),
                         std::move(chapters));
  const auto onOutcome = [&](const FileOutcome& outcome) { report.OnOutcome(outcome); };
  const auto onTick = [&](const std::vector<ActiveFile>& active, int ended) {
    report.OnTick(active, ended, batch.secondsLeft());
  };
  const auto stopRequested = [&] { return report.StopRequested(); };
  if (const std::optional<MergedFile> merged = batch.Run(onOutcome, onTick, stopRequested)) {
    report.OnMergedOutput(*merged);
  }
  if (options.trashSources) {
    batch.TrashCompletedSources([&](const std::string& source, const std::string& failure) {
      report.OnSourceTrashed(source, failure);
    });
  }
  return report.Finish();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace varnell;
  QuietLibraryLog();
  IgnoreFileSizeLimitSignal();
  std::string signalError;
  if (!InstallStopSignalHandlers(&signalError)) {
    PrintMessage(signalError);
    return 1;
  }
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  ParsedCommandLine parsed =
      ParseCommandLine(arguments, static_cast<int>(std::thread::hardware_concurrency()));
  ResultLines results(stdout, [] { return FirstStopSignal() != 0; });
  if (std::holds_alternative<HelpRequest>(parsed)) {
    std::string usage = UsageText();
    usage.pop_back();  // Write adds the newline
    return results.Write(usage) ? 0 : BatchReport::kExitOutputClosed;
  }
  if (std::holds_alternative<PresetListRequest>(parsed)) {
    std::string listing = PresetListing();
    listing.pop_back();  // Write adds the newline
    return results.Write(listing) ? 0 : BatchReport::kExitOutputClosed;
  }
  if (const auto* error = std::get_if<varnell::UsageError>(&parsed))
    return RefuseWithUsage(error->message);
  auto& options = std::get<CommandLineOptions>(parsed);
  // Folders become the files below them before anything else looks at the files.
  FolderArguments expanded =
      ExpandFolderArguments(options.files, [] { return FirstStopSignal() != 0; });
  for (const std::string& line : expanded.skippedLines) {
    if (!results.Write(EscapedForTerminal(line))) return BatchReport::kExitOutputClosed;
  }
  std::vector<FileChapter> chapters;
  if (options.splitChapters) {
    ChapterArguments split = SplitChapterArguments(expanded, [] { return FirstStopSignal() != 0; });
    expanded.files = std::move(split.files);
    expanded.outputSubfolders = std::move(split.outputSubfolders);
    expanded.probes = std::move(split.probes);
    chapters = std::move(split.chapters);
    for (const std::string& note : split.notes) PrintMessage(note);
  }
  options.files = std::move(expanded.files);
  if (options.info) {
    const int failed = PrintMediaInfo(
        options.files, results, [] { return FirstStopSignal() != 0; }, expanded.probes);
    if (FirstStopSignal() != 0) return 128 + FirstStopSignal();
    if (results.closed()) return BatchReport::kExitOutputClosed;
    return failed > 0 ? 1 : 0;
  }

  options.outputFolder = WithoutTrailingSlashes(options.outputFolder);
  if (const std::string problem = OutputFolderProblem(options.outputFolder); !problem.empty()) {
    return RefuseWithUsage(problem);
  }
  return Convert(options, std::move(expanded), std::move(chapters), results);
}

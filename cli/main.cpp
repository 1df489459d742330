// varnell-convert: the command-line converter on the same engine, job rules and worker as the
// main window.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>

#include "cli/BatchConverter.h"
#include "cli/CommandLineOptions.h"
#include "cli/MediaInfoReport.h"
#include "cli/ProgressLine.h"
#include "engine/LibraryLog.h"
#include "settings/MessageSink.h"
#include "settings/ProfileChoice.h"
#include "settings/SettingsAcceptance.h"

namespace {

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int) { interrupted = true; }

class StandardErrorMessages : public varnell::MessageSink {
 public:
  void ShowMessage(const std::string& text) override {
    std::fprintf(stderr, "varnell-convert: %s\n", text.c_str());
  }
};

// "out/" and "out" name the same folder; the job rules add the "/" themselves.
std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

int Convert(varnell::CommandLineOptions& options) {
  using namespace varnell;
  OutputSettings settings;
  int currentPresetCode = 0;
  ApplyProfileChoice(options.profileItem, settings, currentPresetCode);
  AcceptedChoices choices;
  choices.encoder = options.encoder;
  choices.audioBitRate = std::to_string(options.bitRateKbps) + " kbps";
  choices.sampleRate = std::to_string(options.sampleRate) + " Hz";
  choices.channel = options.channels == 1 ? "1 Channel Mono" : "2 Channel Stereo";
  StandardErrorMessages messages;
  AcceptSettings(choices, currentPresetCode, settings, messages);

  const int total = static_cast<int>(options.files.size());
  ProgressLine progress(stderr, isatty(STDERR_FILENO) != 0, total);
  std::mutex screen;
  int completed = 0;
  int failed = 0;
  BatchConverter batch(options, settings,
                       options.profileItem == 1 ? kWmaProfileName : kMp3ProfileName);
  batch.Run(
      [&](const FileOutcome& outcome) {
        std::lock_guard lock(screen);
        progress.Clear();
        switch (outcome.kind) {
          case FileOutcome::Kind::Completed:
            ++completed;
            std::printf("Completed: %s\n", outcome.outputPath.c_str());
            break;
          case FileOutcome::Kind::Failed:
            ++failed;
            std::printf("Failure: %s: %s\n", outcome.sourcePath.c_str(), outcome.reason.c_str());
            break;
          case FileOutcome::Kind::Stopped:
            std::printf("Stopped: %s\n", outcome.outputPath.c_str());
            break;
          case FileOutcome::Kind::NotStarted:
            break;
        }
        std::fflush(stdout);
      },
      [&](const std::vector<ActiveFile>& active, int ended) {
        std::lock_guard lock(screen);
        progress.Draw(active, ended);
      },
      interrupted);
  progress.Clear();
  std::printf("%d completed, %d failed\n", completed, failed);
  if (interrupted) return 130;
  return failed > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace varnell;
  QuietLibraryLog();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  ParsedCommandLine parsed =
      ParseCommandLine(arguments, static_cast<int>(std::thread::hardware_concurrency()));
  if (std::holds_alternative<HelpRequest>(parsed)) {
    std::fputs(kUsageText, stdout);
    return 0;
  }
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    std::fprintf(stderr, "varnell-convert: %s\n%s", error->message.c_str(), kUsageText);
    return 2;
  }
  auto& options = std::get<CommandLineOptions>(parsed);
  if (options.info) return PrintMediaInfo(options.files, stdout) > 0 ? 1 : 0;

  options.outputFolder = WithoutTrailingSlashes(options.outputFolder);
  std::error_code error;
  if (!std::filesystem::is_directory(options.outputFolder, error)) {
    std::fprintf(stderr, "varnell-convert: the output folder does not exist: %s\n%s",
                 options.outputFolder.c_str(), kUsageText);
    return 2;
  }

  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESETHAND;  // a second Ctrl+C ends the program at once
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  return Convert(options);
}

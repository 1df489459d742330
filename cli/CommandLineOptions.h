// The options of varnell-convert.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace varnell {

struct CommandLineOptions {
  int profileItem = 0;          // 0 MP3, 1 WMA: the main window's profile items
  std::string encoder;          // "MP3", "WMA7", "WMA8"
  int bitRateKbps = 128;
  int sampleRate = 44100;
  int channels = 2;
  std::string start = "00:00:00";
  std::optional<std::string> end;  // none: the end of each file
  std::string outputFolder = ".";
  int jobs = 1;
  bool info = false;
  bool merge = false;  // all files into one output
  std::vector<std::string> files;
};

struct UsageError {
  std::string message;
};
struct HelpRequest {};

using ParsedCommandLine = std::variant<CommandLineOptions, UsageError, HelpRequest>;

// defaultJobs is what --jobs means when it is not given (the number of CPU cores).
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments, int defaultJobs);

extern const char* const kUsageText;

}  // namespace varnell

#include "cli/CommandLineOptions.h"

#include <charconv>
#include <string>
#include <string_view>

#include "engine/ClipTime.h"

namespace varnell {

const char* const kUsageText =
    "usage: varnell-convert [OPTIONS] FILE...\n"
    "       varnell-convert --merge [OPTIONS] FILE FILE...\n"
    "  --format mp3|wma          output format (default mp3)\n"
    "  --encoder MP3|WMA7|WMA8   default: MP3 for mp3, WMA8 for wma\n"
    "  --bitrate KBPS            audio bit rate, default 128 (mp3: 32-320 from 32000 Hz,\n"
    "                            8-160 from 16000 Hz, 8-64 below)\n"
    "  --sample-rate HZ          default 44100\n"
    "  --channels 1|2            default 2\n"
    "  --start HH:MM:SS          clip start for every file (default 00:00:00)\n"
    "  --end HH:MM:SS            clip end for every file (default: the end of each file)\n"
    "  --output-dir DIR          default: the current directory; must exist\n"
    "  --jobs N                  files converted at once (default: the number of CPU cores;\n"
    "                            at most the number of files and 4 per core)\n"
    "  --merge                   merge the files, in the order given, into one output named\n"
    "                            after the first file that opens; --start and --end apply to\n"
    "                            every file; --jobs does not apply\n"
    "  --info                    print each file's media information instead of converting\n";

namespace {

std::optional<int> PositiveNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value <= 0) return std::nullopt;
  return value;
}

struct BitRateRange {
  int lowest, highest;
};

// What the MP3 encoder writes at a sample rate: MPEG-1 rates (32 kHz and up), MPEG-2 (16 to
// 24 kHz) and MPEG-2.5 (below) have their own tables. The encoder silently clamps a rate outside
// them, so asking for 1 kb/s would quietly give 32.
BitRateRange Mp3BitRates(int sampleRate) {
  if (sampleRate >= 32000) return {32, 320};
  if (sampleRate >= 16000) return {8, 160};
  return {8, 64};
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments, int defaultJobs) {
  CommandLineOptions options;
  options.jobs = defaultJobs > 0 ? defaultJobs : 1;
  std::string format = "mp3";
  bool onlyFiles = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (onlyFiles || argument.empty() || argument[0] != '-' || argument == "-") {
      options.files.push_back(argument);
      continue;
    }
    if (argument == "--") {
      onlyFiles = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") return HelpRequest{};
    if (argument == "--info" || argument == "--merge") {
      (argument == "--info" ? options.info : options.merge) = true;
      continue;
    }
    if (i + 1 >= arguments.size()) return UsageError{argument + " needs a value"};
    const std::string& value = arguments[++i];
    const auto number = PositiveNumber(value);
    if (argument == "--format") {
      if (value != "mp3" && value != "wma") return UsageError{"--format must be mp3 or wma"};
      format = value;
    } else if (argument == "--encoder") {
      if (value != "MP3" && value != "WMA7" && value != "WMA8") {
        return UsageError{"--encoder must be MP3, WMA7 or WMA8"};
      }
      options.encoder = value;
    } else if (argument == "--bitrate") {
      if (!number) return UsageError{"--bitrate must be a positive number of kb/s"};
      options.bitRateKbps = *number;
    } else if (argument == "--sample-rate") {
      if (!number) return UsageError{"--sample-rate must be a positive number of Hz"};
      options.sampleRate = *number;
    } else if (argument == "--channels") {
      if (value != "1" && value != "2") return UsageError{"--channels must be 1 or 2"};
      options.channels = *number;
    } else if (argument == "--start" || argument == "--end") {
      if (!IsWellFormedClipTime(value)) return UsageError{argument + " must be HH:MM:SS"};
      (argument == "--start" ? options.start : options.end.emplace()) = value;
    } else if (argument == "--output-dir") {
      if (value.empty()) return UsageError{"--output-dir needs a folder"};
      options.outputFolder = value;
    } else if (argument == "--jobs") {
      if (!number) return UsageError{"--jobs must be a positive number"};
      options.jobs = *number;
    } else {
      return UsageError{"unknown option " + argument};
    }
  }
  if (options.merge && options.info) return UsageError{"--merge and --info cannot be combined"};
  if (options.merge && options.files.size() < 2) {
    return UsageError{"Merge is effective when two or more files are chosen!"};
  }
  if (options.files.empty()) return UsageError{"no input file"};
  options.profileItem = format == "wma" ? 1 : 0;
  if (options.encoder.empty()) options.encoder = format == "wma" ? "WMA8" : "MP3";
  if ((format == "mp3") != (options.encoder == "MP3")) {
    return UsageError{"--encoder " + options.encoder + " does not write " + format + " files"};
  }
  if (format == "mp3") {
    const BitRateRange range = Mp3BitRates(options.sampleRate);
    if (options.bitRateKbps < range.lowest || options.bitRateKbps > range.highest) {
      return UsageError{"--bitrate " + std::to_string(options.bitRateKbps) + " is outside the " +
                        std::to_string(range.lowest) + " to " + std::to_string(range.highest) +
                        " kb/s that mp3 takes at " + std::to_string(options.sampleRate) + " Hz"};
    }
  }
  if (options.end && ParseClipTime(*options.end) < ParseClipTime(options.start)) {
    return UsageError{"--end lies before --start"};
  }
  return options;
}

}  // namespace varnell

// The options of varnell-convert.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "settings/PresetTable.h"

namespace varnell {

struct CommandLineOptions {
  int presetCode = kMp3PresetCode;  // a code of the preset table; --format picks its format's
  std::string encoder = "MP3";      // a name of AudioEncoders(), one the format takes
  int bitRateKbps = 128;            // unused by a lossless encoder and under --vbr
  int vbrQuality = -1;              // --vbr; -1: by bitRateKbps
  int compressionLevel = -1;        // FLAC's --compression-level; -1: the encoder's default
  int sampleRate = 44100;
  int channels = 2;  // 1, 2 or 6 (5.1)
  // The video side as the settings dialog's texts ("MPEG4", "320*240", "29.97 fps",
  // "1000 kbps"); empty for a preset that writes no video.
  std::string videoCodec, frameSize, frameRate, videoBitRate;
  std::string start = "00:00:00";
  std::optional<std::string> end;  // none: the end of each file
  std::string outputFolder = ".";
  int jobs = 1;
  bool info = false;
  bool merge = false;  // all files into one output
  // Each file with chapters becomes one task per chapter (ChapterArguments).
  bool splitChapters = false;
  std::string namePattern;    // --name-pattern: how the outputs are named; empty for the source's
  bool skipExisting = false;  // --skip-existing: a file whose output exists is passed over
  // --trash-sources: the completed files' sources to the Trash after the batch.
  bool trashSources = false;
  std::vector<std::string> files;

  bool operator==(const CommandLineOptions&) const = default;
};

struct UsageError {
  std::string message;
};
struct HelpRequest {};
struct PresetListRequest {};  // --list-presets

using ParsedCommandLine =
    std::variant<CommandLineOptions, UsageError, HelpRequest, PresetListRequest>;

// defaultJobs is what --jobs means when it is not given (the number of CPU cores).
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments, int defaultJobs);

// The help text; the formats and encoders it names come from the output format table.
const std::string& UsageText();

}  // namespace varnell

#include "cli/CommandLineOptions.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

#include "cli/OutputChoices.h"
#include "engine/ClipTime.h"
#include "settings/AudioEncoderChoices.h"
#include "settings/OutputFormats.h"
#include "settings/OutputNamePattern.h"

namespace varnell {

namespace {

// "mp3|wma", "MP3|WMA7|WMA8", "asf, wmv, avi": the table's names joined.
template <typename Items, typename Name>
std::string Joined(const Items& items, const char* separator, Name name) {
  std::string joined;
  for (const auto& item : items) (joined += joined.empty() ? "" : separator) += name(item);
  return joined;
}

// "mp3, wma or m4a": the names as a message offers them.
template <typename Items, typename Name>
std::string Alternatives(const Items& items, Name name) {
  std::string listed;
  std::size_t index = 0;
  for (const auto& item : items) {
    listed += (index == 0 ? "" : index + 1 == std::size(items) ? " or " : ", ") + name(item);
    ++index;
  }
  return listed;
}

std::vector<const OutputFormat*> OfferedFormats() {
  std::vector<const OutputFormat*> offered;
  for (const OutputFormat& format : OutputFormats()) {
    if (!format.formatOption.empty()) offered.push_back(&format);
  }
  return offered;
}

// An option's line of the help: the description from column 28, wrapped before column 93, and
// on the line below when the option itself reaches the column.
std::string OptionHelp(const std::string& option, std::string_view description) {
  constexpr std::size_t kColumn = 28, kWidth = 92;
  std::string text = "  " + option;
  if (text.size() + 1 > kColumn)
    text += "\n" + std::string(kColumn, ' ');
  else
    text.resize(kColumn, ' ');
  std::size_t lineLength = kColumn;
  bool first = true;
  while (!description.empty()) {
    const std::size_t space = description.find(' ');
    const std::string_view word = description.substr(0, space);
    if (!first && lineLength + 1 + word.size() > kWidth) {
      text += "\n" + std::string(kColumn, ' ');
      lineLength = kColumn;
    } else if (!first) {
      text += ' ';
      ++lineLength;
    }
    text += word;
    lineLength += word.size();
    first = false;
    description =
        space == std::string_view::npos ? std::string_view() : description.substr(space + 1);
  }
  return text + "\n";
}

// "MP3 0-9, AAC 1-5, VORBIS 0-10": the encoders that have the setting, with its range; a bit rate
// the engine passes on unchecked (AAC's, Vorbis's) has no range worth naming.
std::string EncodersWith(NumberRange AudioEncoderChoices::*setting, bool exceptMp3 = false) {
  std::vector<std::string> listed;
  for (const AudioEncoder& encoder : AudioEncoders()) {
    const NumberRange& range = FindAudioEncoderChoices(encoder.codecName)->*setting;
    if (range.applies() && range.highest < 10000 && !(exceptMp3 && encoder.codecName == "MP3")) {
      listed.push_back(std::string(encoder.codecName) + " " + std::to_string(range.lowest) + "-" +
                       std::to_string(range.highest));
    }
  }
  return Joined(listed, ", ", [](const std::string& item) { return item; });
}

std::string EncodersWhere(bool (*wanted)(const AudioEncoder&)) {
  std::vector<std::string_view> names;
  for (const AudioEncoder& encoder : AudioEncoders()) {
    if (wanted(encoder)) names.push_back(encoder.codecName);
  }
  return Joined(names, ", ", [](std::string_view name) { return std::string(name); });
}

std::string BuildUsageText() {
  const std::vector<const OutputFormat*> offered = OfferedFormats();
  const std::string formats =
      Joined(offered, "|", [](const OutputFormat* f) { return std::string(f->formatOption); });
  const std::string presets = Joined(offered, ", ", [](const OutputFormat* f) {
    return std::string(f->formatOption) + " " + std::to_string(f->presetCode);
  });
  const std::string encoders =
      Joined(AudioEncoders(), "|", [](const AudioEncoder& e) { return std::string(e.codecName); });
  const std::string formatEncoders = Joined(offered, ", ", [](const OutputFormat* f) {
    return std::string(f->formatOption) + " " +
           Joined(f->audioEncoders, "|", [](std::string_view e) { return std::string(e); });
  });
  return "usage: varnell-convert [OPTIONS] FILE...\n"
         "       varnell-convert --merge [OPTIONS] FILE FILE...\n"
         "  --preset CODE             output format by preset code, e.g. 90000 (ASF video), 90001\n"
         "                            (AVI), 90005 (H.264 MP4), 91000 (FLV); default 90106 (mp3);\n"
         "                            the outputs get the preset's extension\n" +
         OptionHelp("--format " + formats, "short for the format's --preset: " + presets) +
         OptionHelp("--encoder " + encoders,
                    "audio encoder; default: the preset's, else the format's first (" +
                        formatEncoders +
                        "); a video preset's container must hold it (see "
                        "--list-presets)") +
         OptionHelp("--bitrate KBPS",
                    "audio bit rate, default 128 (mp3: 32-320 from 32000 Hz, 8-160 from 16000 Hz, "
                    "8-64 below; " +
                        EncodersWith(&AudioEncoderChoices::bitRateKbps, true) +
                        "); refused for the lossless " +
                        EncodersWhere([](const AudioEncoder& e) { return e.lossless; })) +
         OptionHelp("--vbr N", "variable bit rate by quality instead of --bitrate: " +
                                   EncodersWith(&AudioEncoderChoices::vbrQuality) +
                                   " (MP3's 0 and the others' highest are the best)") +
         OptionHelp("--compression-level N", EncodersWith(&AudioEncoderChoices::compressionLevel) +
                                                 " (default 5; higher is smaller and slower)") +
         "  --sample-rate HZ          default 44100 (48000 for opus)\n" +
         OptionHelp("--channels 1|2|6",
                    "default 2; 6 is 5.1, for " + EncodersWhere([](const AudioEncoder& e) {
                      const auto& channels = FindAudioEncoderChoices(e.codecName)->channels.choices;
                      return std::find(channels.begin(), channels.end(), "5.1 Channel") !=
                             channels.end();
                    })) +
         "  --video-codec CODEC       WMV1, WMV2, MPEG4, H.264, H.263, MPEG2VIDEO, M-JPEG, DivX,\n"
         "                            DVVIDEO, MPEG1VIDEO, RV20, FLV, XVID or MSMPEG4V3\n"
         "  --size WIDTH*HEIGHT       picture size, e.g. 320*240\n"
         "  --fps RATE                10, 12, 14.985, 15, 20, 23.975, 24, 25, 29.97, 30, 50 or 60\n"
         "  --video-bitrate KBPS      video bit rate\n"
         "                            the four video options default to the preset's choices\n"
         "                            (90000: MPEG4, 320*240, 29.97 fps, 1000 kb/s); \"Source\n"
         "                            size\" and \"Source rate\" keep the source's\n"
         "  --start HH:MM:SS          clip start for every file (default 00:00:00)\n"
         "  --end HH:MM:SS            clip end for every file, exact to the second (default: the\n"
         "                            end of each file; a file that ends sooner ends there)\n"
         "  --output-dir DIR          default: the current directory; must exist\n"
         "  --name-pattern PATTERN    name the outputs by their tags below --output-dir, \"/\"\n"
         "                            making folders: {artist} {album} {albumartist} {title}\n"
         "                            {track} (two digits) {disc} {year} {genre} {name} (the\n"
         "                            file's own name, also what a missing tag becomes)\n"
         "  --skip-existing           pass over a file whose output exists (\"Skipped:\") instead\n"
         "                            of writing NAME(0).EXT beside it\n"
         "  --jobs N                  files converted at once (default: the number of CPU cores;\n"
         "                            at most the number of files and 4 per core)\n"
         "  --merge                   merge the files, in the order given, into one output named\n"
         "                            after the first file that opens; --start and --end apply to\n"
         "                            every file; --jobs does not apply\n"
         "  --split-chapters          convert each chapter of a file into a file of its own, cut\n"
         "                            exactly where the chapter starts and ends; a file without\n"
         "                            chapters is converted whole, with a note; not with --start\n"
         "                            or --end; with --merge the chapters are merged again\n"
         "  --trash-sources           after the batch, move the source of every file that\n"
         "                            completed (of a merge, once its output is finished) to the\n"
         "                            Trash; one that cannot go stays, with a warning\n"
         "  --info                    print each file's media information instead of converting\n"
         "  --list-presets            print every preset's code, name, extension, sound and\n"
         "                            video defaults, one line each, and exit\n";
}

}  // namespace

const std::string& UsageText() {
  static const std::string text = BuildUsageText();
  return text;
}

namespace {

std::optional<int> NumberFrom(std::string_view text, int lowest) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < lowest) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> PositiveNumber(std::string_view text) { return NumberFrom(text, 1); }

// Bit rates the choice texts can carry: ParseRate turns "N kbps" into N * 1000 in an int.
constexpr int kLargestVideoBitRateKbps = 200000;

// The preset a --format word stands for: a Profile item's.
int PresetCodeOfFormat(std::string_view format) {
  const OutputFormat* found = OutputFormatOfOption(format);
  return found != nullptr ? found->presetCode : kMp3PresetCode;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments, int defaultJobs) {
  CommandLineOptions options;
  options.jobs = defaultJobs > 0 ? defaultJobs : 1;
  GivenChoices given;
  std::optional<std::string> format;
  std::optional<int> presetCode;
  bool onlyFiles = false;
  bool clipGiven = false;  // --start or --end
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
    if (argument == "--list-presets") return PresetListRequest{};
    if (argument == "--info" || argument == "--merge") {
      (argument == "--info" ? options.info : options.merge) = true;
      continue;
    }
    if (argument == "--split-chapters") {
      options.splitChapters = true;
      continue;
    }
    if (argument == "--skip-existing") {
      options.skipExisting = true;
      continue;
    }
    if (argument == "--trash-sources") {
      options.trashSources = true;
      continue;
    }
    if (i + 1 >= arguments.size()) return UsageError{argument + " needs a value"};
    const std::string& value = arguments[++i];
    const auto number = PositiveNumber(value);
    if (argument == "--format") {
      if (OutputFormatOfOption(value) == nullptr) {
        return UsageError{"--format must be " + Alternatives(OfferedFormats(), [](const auto* f) {
                            return std::string(f->formatOption);
                          })};
      }
      format = value;
    } else if (argument == "--preset") {
      if (!number || !FindPreset(*number)) return UsageError{"unknown preset " + value};
      presetCode = *number;
    } else if (argument == "--encoder") {
      if (FindAudioEncoder(value) == nullptr) {
        return UsageError{"--encoder must be " +
                          Alternatives(AudioEncoders(), [](const AudioEncoder& e) {
                            return std::string(e.codecName);
                          })};
      }
      given.encoder = value;
    } else if (argument == "--bitrate") {
      if (!number) return UsageError{"--bitrate must be a positive number of kb/s"};
      given.bitRateKbps = *number;
    } else if (argument == "--sample-rate") {
      if (!number) return UsageError{"--sample-rate must be a positive number of Hz"};
      given.sampleRate = *number;
    } else if (argument == "--vbr" || argument == "--compression-level") {
      const auto whole = NumberFrom(value, 0);
      if (!whole) return UsageError{argument + " must be a whole number"};
      (argument == "--vbr" ? given.vbrQuality : given.compressionLevel) = *whole;
    } else if (argument == "--channels") {
      if (value != "1" && value != "2" && value != "6") {
        return UsageError{"--channels must be 1, 2 or 6"};
      }
      given.channels = *number;
    } else if (argument == "--video-codec") {
      if (!IsVideoCodecText(value)) {
        return UsageError{"--video-codec must be one of " + VideoCodecTextList()};
      }
      given.videoCodec = value;
    } else if (argument == "--size") {
      if (!IsFrameSizeText(value)) {
        return UsageError{"--size must be WIDTH*HEIGHT, each from 1 to " +
                          std::to_string(kLargestFrameSide)};
      }
      given.frameSize = value;
    } else if (argument == "--fps") {
      given.frameRate = FrameRateTextFor(value);
      if (!given.frameRate) return UsageError{"--fps must be one of " + FrameRateList()};
    } else if (argument == "--video-bitrate") {
      if (!number || *number > kLargestVideoBitRateKbps) {
        return UsageError{"--video-bitrate must be a number of kb/s from 1 to " +
                          std::to_string(kLargestVideoBitRateKbps)};
      }
      given.videoBitRate = value + " kbps";
    } else if (argument == "--start" || argument == "--end") {
      if (!IsWellFormedClipTime(value)) return UsageError{argument + " must be HH:MM:SS"};
      (argument == "--start" ? options.start : options.end.emplace()) = value;
      clipGiven = true;
    } else if (argument == "--output-dir") {
      if (value.empty()) return UsageError{"--output-dir needs a folder"};
      options.outputFolder = value;
    } else if (argument == "--name-pattern") {
      if (const auto problem = NamePatternProblem(value)) {
        return UsageError{"--name-pattern: " + *problem};
      }
      options.namePattern = value;
    } else if (argument == "--jobs") {
      if (!number) return UsageError{"--jobs must be a positive number"};
      options.jobs = *number;
    } else {
      return UsageError{"unknown option " + argument};
    }
  }
  if (options.merge && options.info) return UsageError{"--merge and --info cannot be combined"};
  if (options.splitChapters && clipGiven) {
    return UsageError{"--split-chapters cuts at the chapters: --start and --end cannot be given"};
  }
  if (options.splitChapters && options.info) {
    return UsageError{"--split-chapters and --info cannot be combined"};
  }
  if (options.merge && options.files.size() < 2) {
    return UsageError{"Merge is effective when two or more files are chosen!"};
  }
  if (options.files.empty()) return UsageError{"no input file"};
  if (format && presetCode && PresetCodeOfFormat(*format) != *presetCode) {
    return UsageError{"--format " + *format + " is --preset " +
                      std::to_string(PresetCodeOfFormat(*format)) + ", not " +
                      std::to_string(*presetCode)};
  }
  options.presetCode = presetCode ? *presetCode : PresetCodeOfFormat(format.value_or("mp3"));
  if (const auto problem = CompleteOutputChoices(given, options)) return UsageError{*problem};
  if (options.end && ParseClipTime(*options.end) < ParseClipTime(options.start)) {
    return UsageError{"--end lies before --start"};
  }
  return options;
}

}  // namespace varnell

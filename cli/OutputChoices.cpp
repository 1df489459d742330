#include "cli/OutputChoices.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <tuple>
#include <vector>

#include "cli/ConversionSettings.h"
#include "engine/AudioContainers.h"
#include "engine/CodecNames.h"
#include "settings/AudioEncoderChoices.h"
#include "settings/PresetTable.h"
#include "settings/SettingsAcceptance.h"

namespace varnell {
namespace {

// The engine resolves each of these to its encoder by the text itself (VideoEncoderChoice).
constexpr std::string_view kVideoCodecTexts[] = {
    "WMV1", "WMV2",    "MPEG4",      "H.264", "H.263", "MPEG2VIDEO", "M-JPEG",
    "DivX", "DVVIDEO", "MPEG1VIDEO", "RV20",  "FLV",   "XVID",       "MSMPEG4V3",
};

std::optional<int> WholeNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "29.97 fps" -> "29.97", "25.0 fps" -> "25".
std::string_view ShortRate(std::string_view text) {
  if (text.ends_with(" fps")) text.remove_suffix(4);
  if (text.ends_with(".0")) text.remove_suffix(2);
  return text;
}

std::string PresetLabel(const Preset& preset) {
  return "preset " + std::to_string(preset.code) + " (" + preset.displayName + ")";
}

struct VideoChoice {
  const char* option;
  const std::optional<std::string>& given;
  PresetColumn column;
  std::string& value;
};

// A preset that writes video takes each choice from the command line or the row's list; one
// without a list for a choice needs the option. Empty when every choice has a value.
std::optional<std::string> CompleteVideoChoices(const Preset& preset, const GivenChoices& given,
                                                CommandLineOptions& options) {
  const VideoChoice choices[] = {
      {"--video-codec", given.videoCodec, PresetColumn::VideoCodec, options.videoCodec},
      {"--size", given.frameSize, PresetColumn::FrameSize, options.frameSize},
      {"--fps", given.frameRate, PresetColumn::FrameRate, options.frameRate},
      {"--video-bitrate", given.videoBitRate, PresetColumn::VideoBitRate, options.videoBitRate},
  };
  std::vector<std::string> missing;
  for (const VideoChoice& choice : choices) {
    if (preset.audioOnly) {
      if (choice.given) {
        return std::string(choice.option) + " does not apply: " + PresetLabel(preset) +
               " writes no video";
      }
      continue;
    }
    choice.value = choice.given.value_or(preset.parameter(choice.column).defaultChoice);
    if (choice.value.empty()) missing.push_back(choice.option);
  }
  if (missing.empty()) return std::nullopt;
  std::string message = PresetLabel(preset) + " has no default video settings: give ";
  for (std::size_t i = 0; i < missing.size(); ++i) {
    if (i > 0) message += i + 1 == missing.size() ? " and " : ", ";
    message += missing[i];
  }
  return message;
}

// An audio preset's row offers the encoders of its format (the mp3 row MP3, the wma row WMA7
// and WMA8). Beyond that the container decides, as the engine does for every file: a video
// preset's row lists what its dialog once offered, not what its container takes.
std::optional<std::string> EncoderRefusal(const Preset& preset, const CommandLineOptions& options) {
  const OutputFormat& format = *OutputFor(options).format;
  const std::vector<std::string>& encoders = preset.parameter(PresetColumn::AudioEncoder).choices;
  if (preset.audioOnly && !encoders.empty() &&
      std::find(encoders.begin(), encoders.end(), options.encoder) == encoders.end()) {
    std::string taken;
    for (const std::string& encoder : encoders) (taken += taken.empty() ? "" : " or ") += encoder;
    return "--encoder " + options.encoder + " does not write " + std::string(format.name()) +
           " files (" + std::string(format.name()) + " takes " + taken + ")";
  }
  const std::optional<int> codecId = AudioCodecIdFromName(options.encoder);
  // A format FFmpeg cannot write fails every file in words of its own.
  if (!codecId || format.muxer.empty()) return std::nullopt;
  if (std::optional<std::string> refusal = AudioContainerRefusal(*codecId, format)) {
    return "--encoder " + options.encoder + ": " + *refusal;
  }
  return std::nullopt;
}

std::string RangeText(const NumberRange& range) {
  return std::to_string(range.lowest) + " to " + std::to_string(range.highest);
}

// "a setting the encoder has" checked against the encoder's range: an option for a setting it
// lacks names the encoders that have it.
std::optional<std::string> SettingRefusal(const char* option, const std::optional<int>& value,
                                          NumberRange AudioEncoderChoices::*setting,
                                          const AudioEncoderChoices& encoder) {
  if (!value) return std::nullopt;
  const NumberRange& range = encoder.*setting;
  const std::string prefix = std::string(option) + " " + std::to_string(*value);
  if (range.applies()) {
    if (range.holds(*value)) return std::nullopt;
    return prefix + " is outside the " + RangeText(range) + " the " +
           std::string(encoder.codecName) + " encoder takes";
  }
  std::string others;
  for (const AudioEncoder& known : AudioEncoders()) {
    const NumberRange& theirs = FindAudioEncoderChoices(known.codecName)->*setting;
    if (theirs.applies()) {
      (others += others.empty() ? "" : ", ") +=
          std::string(known.codecName) + " " + RangeText(theirs);
    }
  }
  return std::string(option) + " does not apply to the " + std::string(encoder.codecName) +
         " encoder (only to " + others + ")";
}

// The numbers against what the chosen encoder takes. A lossless encoder has no bit rate to
// give, so --bitrate is refused rather than silently dropped.
std::optional<std::string> AudioNumberRefusal(const GivenChoices& given,
                                              const CommandLineOptions& options) {
  const AudioEncoderChoices& encoder = *FindAudioEncoderChoices(options.encoder);
  const std::string name(encoder.codecName);
  if (given.bitRateKbps && !encoder.bitRateKbps.applies()) {
    return "--bitrate does not apply: " + name + " is lossless";
  }
  if (given.bitRateKbps && given.vbrQuality) return "--bitrate and --vbr cannot be combined";
  for (const auto& [option, value, setting] :
       {std::tuple{"--vbr", given.vbrQuality, &AudioEncoderChoices::vbrQuality},
        std::tuple{"--compression-level", given.compressionLevel,
                   &AudioEncoderChoices::compressionLevel}}) {
    if (std::optional<std::string> refusal = SettingRefusal(option, value, setting, encoder)) {
      return refusal;
    }
  }
  if (options.channels == 6 &&
      std::find(encoder.channels.choices.begin(), encoder.channels.choices.end(), "5.1 Channel") ==
          encoder.channels.choices.end()) {
    return "--channels 6: the " + name + " encoder takes 1 or 2";
  }
  if (options.vbrQuality >= 0 || !encoder.bitRateKbps.applies()) return std::nullopt;
  if (options.encoder == "MP3") {
    const NumberRange range = encoder.bitRateKbpsAt(options.sampleRate);
    if (!range.holds(options.bitRateKbps)) {
      return "--bitrate " + std::to_string(options.bitRateKbps) + " is outside the " +
             std::to_string(range.lowest) + " to " + std::to_string(range.highest) +
             " kb/s that mp3 takes at " + std::to_string(options.sampleRate) + " Hz";
    }
  } else if (!encoder.bitRateKbps.holds(options.bitRateKbps)) {
    return "--bitrate " + std::to_string(options.bitRateKbps) + " is outside the " +
           RangeText(encoder.bitRateKbps) + " kb/s the " + name + " encoder takes";
  }
  return std::nullopt;
}

}  // namespace

bool IsVideoCodecText(std::string_view text) {
  return std::find(std::begin(kVideoCodecTexts), std::end(kVideoCodecTexts), text) !=
         std::end(kVideoCodecTexts);
}

std::string VideoCodecTextList() {
  std::string list;
  for (std::string_view text : kVideoCodecTexts) (list += list.empty() ? "" : ", ") += text;
  return list;
}

bool IsFrameSizeText(std::string_view text) {
  const std::size_t star = text.find('*');
  if (star == std::string_view::npos) return false;
  for (std::string_view side : {text.substr(0, star), text.substr(star + 1)}) {
    const std::optional<int> pixels = WholeNumber(side);
    if (!pixels || *pixels < 1 || *pixels > kLargestFrameSide) return false;
  }
  return true;
}

std::optional<std::string> FrameRateTextFor(std::string_view text) {
  std::string_view number = text;
  if (number.ends_with(" fps")) number.remove_suffix(4);
  double wanted = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), wanted);
  if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  // The same decimal text parses to the very double the table holds, so equality is exact.
  for (std::string_view known : FrameRateTexts()) {
    if (FrameRateFromText(known) == wanted) return std::string(known);
  }
  return std::nullopt;
}

std::string FrameRateList() {
  std::string list;
  for (std::string_view text : FrameRateTexts()) {
    (list += list.empty() ? "" : ", ") += ShortRate(text);
  }
  return list;
}

std::optional<std::string> CompleteOutputChoices(const GivenChoices& given,
                                                 CommandLineOptions& options) {
  const Preset& preset = PresetOrEmpty(options.presetCode);
  // The audio side: the row's preselection where it has lists, else the main window's start-up
  // values, which are what the two audio presets preselect too.
  const OutputSettings row = PresetPreselection(preset);
  const OutputSettings startUp;
  // A row without an encoder list gets its format's default (WMA8 for a .wma preset).
  options.encoder = given.encoder.value_or(
      row.audioCodecName.empty() ? std::string(OutputFor(options).format->defaultAudioEncoder())
                                 : row.audioCodecName);
  options.bitRateKbps = given.bitRateKbps.value_or(
      (row.audioBitRate > 0 ? row.audioBitRate : startUp.audioBitRate) / 1000);
  options.sampleRate =
      given.sampleRate.value_or(row.sampleRate > 0 ? row.sampleRate : startUp.sampleRate);
  options.channels = given.channels.value_or(row.channels);
  // The row's quality and level belong to its own encoder (FLAC's level 5).
  const bool rowEncoder = options.encoder == row.audioCodecName;
  options.vbrQuality = given.vbrQuality.value_or(rowEncoder ? row.vbrQuality : -1);
  options.compressionLevel =
      given.compressionLevel.value_or(rowEncoder ? row.compressionLevel : -1);

  if (std::optional<std::string> refusal = EncoderRefusal(preset, options)) return refusal;
  if (std::optional<std::string> refusal = AudioNumberRefusal(given, options)) return refusal;
  return CompleteVideoChoices(preset, given, options);
}

}  // namespace varnell

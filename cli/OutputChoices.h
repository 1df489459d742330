// The command line's output choices completed from the chosen preset, as the settings dialog
// preselects a preset's defaults, and checked against what the preset and the encoders take.
// Run once on the main thread while the command line is parsed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/CommandLineOptions.h"

namespace varnell {

// What the command line said; empty: the option was not given. The video values are already
// the settings dialog's texts ("MPEG4", "320*240", "29.97 fps", "1000 kbps").
struct GivenChoices {
  std::optional<std::string> encoder;
  std::optional<int> bitRateKbps, sampleRate, channels, vbrQuality, compressionLevel;
  std::optional<std::string> videoCodec, frameSize, frameRate, videoBitRate;
};

// The codec texts --video-codec takes: the preset table's and "XVID" and "MSMPEG4V3", which name
// the two encoders the table has no text of their own for. "WMV1, WMV2, ..." for messages.
bool IsVideoCodecText(std::string_view text);
std::string VideoCodecTextList();

// "640*360": two whole numbers from 1 to kLargestFrameSide.
inline constexpr int kLargestFrameSide = 8192;
bool IsFrameSizeText(std::string_view text);

// "25", "29.97" or "25.0 fps" -> the engine's text for that rate ("25.0 fps", "29.97 fps");
// nothing for a rate the engine's frame-rate table lacks. "10, 12, ... 60" for messages.
std::optional<std::string> FrameRateTextFor(std::string_view text);
std::string FrameRateList();

// Fills the output choices of options from given and from the row of options.presetCode (a
// code of the table); returns the usage error when the preset cannot take them.
std::optional<std::string> CompleteOutputChoices(const GivenChoices& given,
                                                 CommandLineOptions& options);

}  // namespace varnell

// The launch's translation tables from the settings' choice texts to engine values. Codec ids
// are FFmpeg's AVCodecID numbers, kept as plain ints so that callers need no FFmpeg header.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace varnell {

// Exact, case-sensitive lookups; an unknown text gives no value and the caller keeps its old one.
std::optional<double> FrameRateFromText(std::string_view text);
// Every text FrameRateFromText knows, slowest first.
std::vector<std::string_view> FrameRateTexts();
std::optional<int> VideoCodecIdFromName(std::string_view name);
std::optional<int> AudioCodecIdFromName(std::string_view name);

// The three audio encoders the engine has.
int Mp3CodecId();
int Wma7CodecId();
int Wma8CodecId();

}  // namespace varnell

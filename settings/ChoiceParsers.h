#pragma once

#include <string_view>

#include "settings/MessageSink.h"

namespace varnell {

// Turn the settings dialog's choice texts into numbers. The table never holds
// malformed texts, but the fallbacks below are part of the contract.

// "128 kbps" -> 128000 (fractions allowed, truncated toward zero),
// "44100 Hz" -> 44100, anything else (including "") -> 0.
int ParseRate(std::string_view text);

// The bit rate list's other items: "VBR V2", "VBR quality 6 (best)" -> 2, 6 (the first number
// after "VBR "); "Level 5" -> 5. Any other text (a rate, "") -> -1.
int ParseVbrQuality(std::string_view text);
int ParseCompressionLevel(std::string_view text);

// Exact, case-sensitive: "1 Channel Mono" -> 1, "2 Channel Stereo" -> 2,
// "5.1 Channel" -> 6; any other text leaves channels unchanged.
void ParseChannels(std::string_view text, int& channels);

// A video preset's choices that keep the source's picture: the size text parses to 0*0, which
// the engine takes as the source's size, and the rate text is no rate of the engine's table, so
// the job keeps the source's rate.
inline constexpr const char* kSourceFrameSizeText = "Source size";
inline constexpr const char* kSourceFrameRateText = "Source rate";

// "W*H" -> width and height; kSourceFrameSizeText -> 0 and 0. An empty text changes nothing
// silently; a text with an empty side reports kSizeParseFailedMessage and changes nothing.
void ParseFrameSize(std::string_view text, int& width, int& height, MessageSink& messages);

// "转化失败!" ("conversion failed!") in UTF-8.
inline constexpr const char* kSizeParseFailedMessage =
    "\xE8\xBD\xAC\xE5\x8C\x96\xE5\xA4\xB1\xE8\xB4\xA5!";

}  // namespace varnell

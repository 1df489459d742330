#include "settings/ChoiceParsers.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace varnell {

namespace {

constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips leading blanks and reads an optional sign, as the C number readers do.
bool ReadSign(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  return negative;
}

// Magnitudes beyond int saturate rather than wrap; the sign is applied last so
// that the negative limit is reachable.
int ApplySign(std::int64_t magnitude, bool negative) {
  if (negative) return static_cast<int>(-std::min(magnitude, kIntMax + 1));
  return static_cast<int>(std::min(magnitude, kIntMax));
}

// Leading decimal integer, atoi style: 0 when no digit follows the blanks and sign.
int LeadingInteger(std::string_view text) {
  std::size_t pos = 0;
  const bool negative = ReadSign(text, pos);
  std::int64_t magnitude = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    magnitude = std::min(magnitude * 10 + (text[pos] - '0'), kIntMax + 1);
  }
  return ApplySign(magnitude, negative);
}

// The leading decimal number of text times 1000, truncated toward zero. It is
// worked out on the decimal digits rather than in binary floating point, where
// "7.95" * 1000 comes out just below 7950 and would truncate to 7949.
int LeadingDecimalTimesThousand(std::string_view text) {
  std::size_t pos = 0;
  const bool negative = ReadSign(text, pos);

  std::string digits;  // significant digits of the mantissa, point removed
  int pointShift = 3;  // power of ten to apply to digits; starts at x1000
  bool sawDigit = false;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    sawDigit = true;
    if (!digits.empty() || text[pos] != '0') digits += text[pos];
  }
  if (pos < text.size() && text[pos] == '.') {
    for (++pos; pos < text.size() && IsDigit(text[pos]); ++pos) {
      sawDigit = true;
      if (!digits.empty() || text[pos] != '0') digits += text[pos];
      --pointShift;
    }
  }
  if (!sawDigit) return 0;

  // An exponent counts only when digits follow it, as with strtod.
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t exponentPos = pos + 1;
    bool negativeExponent = false;
    if (exponentPos < text.size() && (text[exponentPos] == '+' || text[exponentPos] == '-')) {
      negativeExponent = text[exponentPos++] == '-';
    }
    if (exponentPos < text.size() && IsDigit(text[exponentPos])) {
      int exponent = 0;
      for (; exponentPos < text.size() && IsDigit(text[exponentPos]); ++exponentPos) {
        exponent = std::min(exponent * 10 + (text[exponentPos] - '0'), 100000);
      }
      pointShift += negativeExponent ? -exponent : exponent;
    }
  }

  // Dropping the digits behind the decimal point is the truncation toward zero.
  const std::int64_t integerDigits = static_cast<std::int64_t>(digits.size()) + pointShift;
  if (integerDigits <= 0) return 0;
  if (integerDigits > 11) return ApplySign(kIntMax + 1, negative);
  std::int64_t magnitude = 0;
  for (std::int64_t i = 0; i < integerDigits; ++i) {
    const int digit = i < static_cast<std::int64_t>(digits.size())
                          ? digits[static_cast<std::size_t>(i)] - '0'
                          : 0;
    magnitude = magnitude * 10 + digit;
  }
  return ApplySign(magnitude, negative);
}

// The number after prefix and any letters and blanks: "VBR V2" -> 2; -1 without the prefix.
int NumberAfter(std::string_view text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return -1;
  const std::size_t digit = text.find_first_of("0123456789", prefix.size());
  return digit == std::string_view::npos ? -1 : LeadingInteger(text.substr(digit));
}

}  // namespace

int ParseVbrQuality(std::string_view text) { return NumberAfter(text, "VBR "); }

int ParseCompressionLevel(std::string_view text) { return NumberAfter(text, "Level "); }

int ParseRate(std::string_view text) {
  if (const auto kbps = text.find(" kbps"); kbps != std::string_view::npos) {
    return LeadingDecimalTimesThousand(text.substr(0, kbps));
  }
  if (const auto hz = text.find(" Hz"); hz != std::string_view::npos)
    return LeadingInteger(text.substr(0, hz));
  return 0;
}

void ParseChannels(std::string_view text, int& channels) {
  if (text == "1 Channel Mono") {
    channels = 1;
  } else if (text == "2 Channel Stereo") {
    channels = 2;
  } else if (text == "5.1 Channel") {
    channels = 6;
  }
}

void ParseFrameSize(std::string_view text, int& width, int& height, MessageSink& messages) {
  // Audio-only presets have no frame sizes, so an empty text is the normal case.
  if (text.empty()) return;
  if (text == kSourceFrameSizeText) {
    width = height = 0;
    return;
  }
  const auto star = text.find('*');
  const std::string_view widthText =
      star == std::string_view::npos ? std::string_view{} : text.substr(0, star);
  const std::string_view heightText = star == std::string_view::npos ? text : text.substr(star + 1);
  if (widthText.empty() || heightText.empty()) {
    messages.ShowMessage(kSizeParseFailedMessage);
    return;
  }
  width = LeadingInteger(widthText);
  height = LeadingInteger(heightText);
}

}  // namespace varnell

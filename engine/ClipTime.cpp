#include "engine/ClipTime.h"

#include <cctype>
#include <cstdio>

namespace varnell {
namespace {

// atoi on a view: optional blanks and sign, then leading digits; none gives 0.
std::int64_t LeadingInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    if (value > (INT64_MAX - 9) / 10) break;  // absurdly long digit runs stop growing
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

}  // namespace

std::string FormatClipTime(std::int64_t seconds) {
  if (seconds < 0) seconds = 0;
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return text;
}

std::int64_t ParseClipTime(std::string_view text) {
  const std::size_t firstColon = text.find(':');
  const std::size_t lastColon = text.rfind(':');
  const std::int64_t hours = LeadingInteger(text.substr(0, firstColon));
  const std::int64_t minutes =
      firstColon == std::string_view::npos ? 0 : LeadingInteger(text.substr(firstColon + 1, 2));
  const std::int64_t seconds =
      LeadingInteger(lastColon == std::string_view::npos ? text : text.substr(lastColon + 1));
  return hours * 3600 + minutes * 60 + seconds;
}

bool IsWellFormedClipTime(std::string_view text) {
  const std::size_t firstColon = text.find(':');
  if (firstColon == 0 || firstColon == std::string_view::npos || firstColon > 9) return false;
  if (text.size() != firstColon + 6 || text[firstColon + 3] != ':') return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == firstColon || i == firstColon + 3) continue;
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return text[firstColon + 1] < '6' && text[firstColon + 4] < '6';
}

}  // namespace varnell

#include "library/NaturalOrder.h"

namespace varnell {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The run of digits at `at`, its leading zeros left out.
std::string_view DigitRun(std::string_view text, std::size_t& at) {
  while (at < text.size() && text[at] == '0' && at + 1 < text.size() && IsDigit(text[at + 1])) {
    ++at;
  }
  const std::size_t start = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  return text.substr(start, at - start);
}

// -1, 0 or 1 as in strcmp, without the tie break.
int CompareNaturally(std::string_view first, std::string_view second) {
  std::size_t a = 0;
  std::size_t b = 0;
  while (a < first.size() && b < second.size()) {
    if (IsDigit(first[a]) && IsDigit(second[b])) {
      const std::string_view left = DigitRun(first, a);
      const std::string_view right = DigitRun(second, b);
      // Without leading zeros, the longer run is the larger number.
      if (left.size() != right.size()) return left.size() < right.size() ? -1 : 1;
      if (const int order = left.compare(right); order != 0) return order < 0 ? -1 : 1;
      continue;
    }
    const auto left = static_cast<unsigned char>(LowerAscii(first[a++]));
    const auto right = static_cast<unsigned char>(LowerAscii(second[b++]));
    if (left != right) return left < right ? -1 : 1;
  }
  if (a < first.size()) return 1;
  return b < second.size() ? -1 : 0;
}

}  // namespace

bool NaturallyBefore(std::string_view first, std::string_view second) {
  const int order = CompareNaturally(first, second);
  return order != 0 ? order < 0 : first < second;
}

}  // namespace varnell

#include "playermodule/WidePath.h"

#include <cwchar>

namespace varnell::player {
namespace {

void AppendUtf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDFFF; }

}  // namespace

std::optional<std::string> Utf8PathFromWide(const wchar_t* path) {
  if (path == nullptr) {
    return std::nullopt;
  }
  const std::size_t length = std::wcslen(path);
  if (length == 0 || length > kMaximumPathCharacters) {
    return std::nullopt;
  }
  std::string utf8;
  utf8.reserve(length * 2);
  for (std::size_t i = 0; i < length; ++i) {
    char32_t code = static_cast<char32_t>(path[i]);
    if constexpr (sizeof(wchar_t) == 2) {
      if (code >= 0xD800 && code <= 0xDBFF && i + 1 < length) {
        const char32_t low = static_cast<char32_t>(path[i + 1]);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          ++i;
        }
      }
    }
    if (IsSurrogate(code) || code > 0x10FFFF) {
      return std::nullopt;
    }
    AppendUtf8(code, utf8);
  }
  return utf8;
}

}  // namespace varnell::player

// Paths arrive as wide strings (UTF-32 here, UTF-16 where wchar_t is 16 bits); FFmpeg opens
// UTF-8 file names.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace varnell::player {

inline constexpr std::size_t kMaximumPathCharacters = 260;

// The UTF-8 form of a non-empty path of at most kMaximumPathCharacters wide characters; nothing
// for a null, empty, too long or malformed path.
std::optional<std::string> Utf8PathFromWide(const wchar_t* path);

}  // namespace varnell::player

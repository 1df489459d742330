// How an output is named from its source's tags: the name pattern of OutputSettings
// ("{artist}/{album}/{track} {title}") applied to one source. Kept with the settings because the
// settings dialog and varnell-convert refuse a pattern they cannot apply where it is entered; the
// job builder applies it. Plain text functions, any thread.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace varnell {

// The tags a pattern reads, by FFmpeg's generic names ("artist", "album", "album_artist",
// "title", "track", "disc", "date", "genre"), as the converter copies them: the container's,
// overridden by the audio stream's.
using NameTags = std::map<std::string, std::string, std::less<>>;

// What the settings dialog's tool tip and the help list.
inline constexpr std::string_view kNamePlaceholders =
    "{artist} {album} {albumartist} {title} {track} {disc} {year} {genre} {name} {chapter} "
    "{chapternumber}";

// A row split from a chapter, with an empty pattern, is named this way.
inline constexpr std::string_view kChapterNamePattern = "{name} - {chapternumber} {chapter}";

// Why the pattern cannot be applied ("unknown placeholder {foo}"); nothing when it can.
std::optional<std::string> NamePatternProblem(std::string_view pattern);

// True when applying the pattern reads a tag (any placeholder but {name} and the chapter's).
bool NamePatternReadsTags(std::string_view pattern);

// The pattern a row is named by: the settings' one, or for a chapter row kChapterNamePattern when
// that is empty; empty for a row named after its source as it always was.
std::string_view EffectiveNamePattern(std::string_view pattern, int chapterNumber);

struct NamedSource {
  std::string_view baseName;           // {name}, and what a missing tag becomes
  const NameTags* tags = nullptr;      // null: every tag is missing
  std::string_view chapterTitle = {};  // {chapter}, for chapterNumber > 0
  int chapterNumber = 0;               // {chapternumber}, two digits; 0 for a row of a whole file
};

struct PatternedName {
  std::string folders;   // below the output folder, "A/B"; empty for none
  std::string fileName;  // with the extension
};

// Applies a pattern that NamePatternProblem accepts. "/" in the pattern makes folders; a "/" or
// NUL in a value becomes "_"; each component loses its leading and trailing spaces and dots, a
// component that comes out empty becomes the base name (and "_" when that is empty too), and
// every component is cut, at a UTF-8 character boundary, so that it stays under 255 bytes with
// the extension and the collision loop's "(N)". Nothing can name "." or ".." or climb out.
PatternedName ApplyNamePattern(std::string_view pattern, const NamedSource& source,
                               std::string_view extension);

}  // namespace varnell

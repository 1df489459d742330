// The hidden name an output is written under before it is published: ".NAME.EXT.partial-XXXXXX"
// beside NAME.EXT, XXXXXX being six random letters and digits. Made by ClaimedOutputFile and
// recognised by the clearing of temporaries a killed run left behind; nothing else is ever
// taken for one.
#pragma once

#include <string>
#include <string_view>

namespace varnell {

// ".NAME.EXT.partial-" in the requested name's folder. A name close to the file system's limit
// is shortened (at a UTF-8 character boundary) so that the hidden name still fits.
std::string TemporaryOutputPrefix(const std::string& requestedPath);

// Six random letters and digits.
std::string RandomTemporarySuffix();

// True when the file name (no folder) is exactly of the hidden temporary's pattern.
bool IsTemporaryOutputName(std::string_view fileName);

}  // namespace varnell

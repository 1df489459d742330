// The tags an output name pattern reads, taken from a source as the converter copies them: the
// container's, then the audio stream's over them. Any thread; it shares nothing.
#pragma once

#include <string>

#include "settings/OutputNamePattern.h"

struct AVFormatContext;

namespace varnell {

// Of a source that is open already (its stream information need not have been read).
NameTags NameTagsOf(const AVFormatContext& source);

// Opens the file for its tags alone, without reading its stream information; no tags when it
// cannot be opened (the row then fails where it is converted, with the reason).
NameTags ReadNameTags(const std::string& path);

}  // namespace varnell

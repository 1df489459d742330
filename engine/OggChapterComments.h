// The chapters of a merge into Ogg Vorbis or Opus. The comment header is written before the
// first packet, long before the merge knows where its later parts begin: the output reserves
// the chapter comments with the planned parts' titles and zero times, and once the file is
// complete the header is rewritten in place with the chapters as they came out. Used by the
// thread that writes the output. No FFmpeg type appears here.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/SourceChapter.h"

namespace varnell {

// Replaces the chapter comments (CHAPTERxxx and CHAPTERxxxNAME) of the first stream's comment
// header with `chapters`, keeping every other comment and the header's length, so no page moves
// and only the pages that hold the header get new checksums. A shorter list leaves its room as
// spaces at the end of the vendor string, which every reader skips; when the chapters need more
// room than was reserved, the last ones are left out. Returns how many were written. descriptor
// must be open for reading and writing. Throws ConversionFailure when the file is not Ogg Vorbis
// or Opus.
std::size_t RewriteOggChapterComments(int descriptor, const std::vector<SourceChapter>& chapters);

}  // namespace varnell

// What a source states of its own length, and the two ways a stream read to its end can fall
// short of it: a truncated file, whose stream stops before its stated end, and a damaged
// container, whose sample table or edit list lets only a sliver of a long file be read. The
// readers check at their end; the merge checks before a row adds any sound. Used on the thread
// that reads the source.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "media/SourceFile.h"

namespace varnell {

// "7.8": seconds with one decimal, as the reasons about lengths give them.
std::string SecondsInTenths(double seconds);

// The stream's own stated length in seconds (its track or media header, or MP4's edit list);
// none when the container states none or only estimates it from the bit rate.
std::optional<double> StatedStreamSeconds(const SourceFile& source, const AVStream& stream);

// Fails "source is truncated: its KIND ends at X s of Y s" when a stream whose reading ended
// at endSeconds stopped more than a quarter of a second before its stated end.
void CheckNotTruncated(std::string_view kind, double endSeconds, std::optional<double> statedEnd);

// Fails "source is damaged: it decodes to X s of the Y s it states" when what was read falls
// short of every length the source states for the stream (its own and, when no other sound or
// picture shares the file, the file's) by more than a second and more than 5 % of it. A stated
// length already exceeded by what was read is wrong itself and vouches for nothing; Y is the
// shortest of the others.
void CheckNotDamaged(double readSeconds, const SourceFile& source, const AVStream& stream);

}  // namespace varnell

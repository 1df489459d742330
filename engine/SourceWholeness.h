// Whether a source holds all the sound its clip is to read, found out before any of it is
// decoded: a merge gives every row's samples to its one encoder as they come, and what that
// encoder has taken cannot be taken back when the row turns out truncated at its end. Two
// looks that decode nothing: the stream's index, whose entries past the end of the file mean
// the file was cut; and a demux-only pass over the stream's packets, which finds what a cut
// file without such an index, or a damaged sample table or edit list, lets through. Used on
// the merge worker thread.
#pragma once

#include <string>

#include "engine/AudioReader.h"

namespace varnell {

// Throws ConversionFailure with the reason the audio reader would give at the end ("source is
// truncated: ..." or "source is damaged: ...") when the clip reaches past what the source
// holds of its stream.
void CheckSourceHoldsClip(const std::string& sourcePath, int streamIndex, ClipWindow clip);

}  // namespace varnell

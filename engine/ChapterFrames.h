// The chapters of an output in the forms the engine writes itself: ID3v2.3 chapter frames (CHAP
// and a CTOC that lists them) and Vorbis chapter comments (CHAPTERxxx, CHAPTERxxxNAME), and a
// source's chapters as they fall in a clip. Used by the thread that writes the output. No FFmpeg
// type appears here.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/SourceChapter.h"

namespace varnell {

// The chapters that overlap the clip [begin, begin + length), shifted to the clip's own time
// and cut at its ends; a chapter outside it is dropped. length may be infinite (to the end).
std::vector<SourceChapter> ChaptersInClip(const std::vector<SourceChapter>& chapters, double begin,
                                          double length);

// One CHAP frame per chapter (times in milliseconds, no byte offsets, the title as a TIT2
// sub-frame when not empty), then the top-level, ordered CTOC of at most 255 of them. Its size
// depends on the titles and the number of chapters alone, not on their times.
std::vector<std::uint8_t> Id3ChapterFrames(const std::vector<SourceChapter>& chapters);

// The comments in the order FFmpeg's reader needs them (a chapter's NAME after its time),
// numbered from 001, times as HH:MM:SS.mmm.
std::vector<std::pair<std::string, std::string>> VorbisChapterComments(
    const std::vector<SourceChapter>& chapters);

}  // namespace varnell

// Adding chapters to a muxer's context before its header is written; the muxer turns them into
// its own chapter form (ID3v2 CHAP frames, an MP4 chapter track and chpl, Vorbis comments).
#pragma once

#include <string>

struct AVFormatContext;

namespace varnell {

// Appends one chapter, kept in milliseconds, FFmpeg's usual chapter time base; the title is set
// when not empty. Returns 0 or a negative FFmpeg error. The context owns the chapter from then on.
int AddChapter(AVFormatContext& context, double startSeconds, double endSeconds,
               const std::string& title);

}  // namespace varnell

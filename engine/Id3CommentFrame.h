// The comment of an ID3v2.3 tag (MP3, AIFF) as the COMM frame players show. FFmpeg 5.1's ID3
// writer stores "comment" as a user text frame (TXXX), which players list, if at all, as a field
// of its own; so the engine takes the comment out of the muxer's tags, has the muxer leave as
// much padding at the end of its tag as the frame needs, and writes the frame into that padding
// once the file is complete. Used by the thread that writes the output. No FFmpeg type appears
// here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace varnell {

// An ID3v2.3 frame of that id around its body: the header's size is not syncsafe, no flags.
std::vector<std::uint8_t> Id3Frame(std::string_view id, const std::vector<std::uint8_t>& body);
// A text frame (TIT2), encoded as the comment is.
std::vector<std::uint8_t> Id3TextFrame(std::string_view id, std::string_view utf8Text);

// The whole frame, header included: ISO-8859-1 when the text is ASCII, else UTF-16 with a byte
// order mark; an empty description.
std::vector<std::uint8_t> Id3CommentFrame(std::string_view utf8Text);

// Writes the frames (one or several, back to back) at the start of the last `room` bytes of the
// file's ID3v2.3 tag, which must be zero padding: the tag at the start of an MP3 file, or an
// AIFF file's "ID3 " chunk. What is left of the room stays padding, after the frames, as
// readers expect it. room 0 means the frames' own size. descriptor must be open for reading and
// writing. Throws ConversionFailure when the file has no such tag or its padding is too short.
void WriteIntoId3Padding(int descriptor, const std::vector<std::uint8_t>& frame,
                         std::size_t room = 0);

}  // namespace varnell

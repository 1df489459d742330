#include "engine/Id3CommentFrame.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/ConversionFailure.h"
#include "engine/DescriptorBytes.h"

namespace varnell {
namespace {

constexpr std::size_t kTagHeaderSize = 10;
constexpr std::size_t kChunkHeaderSize = 8;
// The tag does not know the comment's language; this is the code most readers look for.
constexpr std::string_view kLanguage = "eng";
constexpr char32_t kReplacement = 0xFFFD;

// One code point of UTF-8 from text[at]; a byte that starts no valid sequence is U+FFFD.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at++);
  if (lead < 0x80) return lead;
  const int length = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  if (length == 0 || lead > 0xF4 || at + length > text.size()) return kReplacement;
  char32_t point = lead & (0x3F >> length);
  for (int i = 0; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return kReplacement;
    point = (point << 6) | (byte(at + i) & 0x3F);
  }
  at += length;
  constexpr std::array<char32_t, 4> kSmallest{0, 0x80, 0x800, 0x10000};
  const bool valid =
      point >= kSmallest[length] && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
  return valid ? point : kReplacement;
}

void PutUtf16(std::vector<std::uint8_t>& out, char16_t unit) {
  out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
  out.push_back(static_cast<std::uint8_t>(unit >> 8));
}

void PutFrameSize(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t BigEndian(const std::uint8_t* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
         (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

constexpr const char* kCannotWriteTag = "cannot write the comment tag";

void ReadExactly(int descriptor, std::uint8_t* into, std::size_t size, std::uint64_t offset) {
  ReadBytesAt(descriptor, into, size, offset, kCannotWriteTag);
}

[[noreturn]] void FailNoTag() { FailConversion("cannot write the comment tag: no ID3 tag found"); }

// Where the ID3v2 tag starts: at the very start of an MP3, in the "ID3 " chunk of an AIFF.
std::uint64_t TagOffset(int descriptor) {
  std::array<std::uint8_t, 12> start{};
  ReadExactly(descriptor, start.data(), start.size(), 0);
  if (std::memcmp(start.data(), "ID3", 3) == 0) return 0;
  if (std::memcmp(start.data(), "FORM", 4) != 0) FailNoTag();
  const std::uint64_t end = kChunkHeaderSize + BigEndian(start.data() + 4);
  std::uint64_t at = start.size();
  while (at + kChunkHeaderSize <= end) {
    std::array<std::uint8_t, kChunkHeaderSize> chunk{};
    ReadExactly(descriptor, chunk.data(), chunk.size(), at);
    if (std::memcmp(chunk.data(), "ID3 ", 4) == 0) return at + kChunkHeaderSize;
    const std::uint32_t size = BigEndian(chunk.data() + 4);
    at += kChunkHeaderSize + size + (size & 1);  // chunks are padded to an even size
  }
  FailNoTag();
}

bool IsAscii(std::string_view utf8Text) {
  return std::all_of(utf8Text.begin(), utf8Text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The text in the frame's encoding, after its own byte order mark when in UTF-16.
void PutText(std::vector<std::uint8_t>& out, std::string_view utf8Text, bool ascii) {
  if (ascii) {
    out.insert(out.end(), utf8Text.begin(), utf8Text.end());
    return;
  }
  PutUtf16(out, char16_t{0xFEFF});
  for (std::size_t at = 0; at < utf8Text.size();) {
    const char32_t point = NextCodePoint(utf8Text, at);
    if (point < 0x10000) {
      PutUtf16(out, static_cast<char16_t>(point));
    } else {
      PutUtf16(out, static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
      PutUtf16(out, static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
    }
  }
}

}  // namespace

std::vector<std::uint8_t> Id3Frame(std::string_view id, const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> frame(id.begin(), id.end());
  PutFrameSize(frame, static_cast<std::uint32_t>(body.size()));  // ID3v2.3: not syncsafe
  frame.insert(frame.end(), {0, 0});                             // no flags
  frame.insert(frame.end(), body.begin(), body.end());
  return frame;
}

std::vector<std::uint8_t> Id3TextFrame(std::string_view id, std::string_view utf8Text) {
  const bool ascii = IsAscii(utf8Text);
  std::vector<std::uint8_t> body{ascii ? std::uint8_t{0} : std::uint8_t{1}};
  PutText(body, utf8Text, ascii);
  return Id3Frame(id, body);
}

std::vector<std::uint8_t> Id3CommentFrame(std::string_view utf8Text) {
  const bool ascii = IsAscii(utf8Text);
  std::vector<std::uint8_t> body{ascii ? std::uint8_t{0} : std::uint8_t{1}};
  body.insert(body.end(), kLanguage.begin(), kLanguage.end());
  // The description is empty: its terminator alone (each UTF-16 string has its own byte order
  // mark).
  PutText(body, "", ascii);
  body.insert(body.end(), ascii ? 1 : 2, 0);
  PutText(body, utf8Text, ascii);
  return Id3Frame("COMM", body);
}

void WriteIntoId3Padding(int descriptor, const std::vector<std::uint8_t>& frame, std::size_t room) {
  room = std::max(room, frame.size());
  const std::uint64_t tag = TagOffset(descriptor);
  std::array<std::uint8_t, kTagHeaderSize> header{};
  ReadExactly(descriptor, header.data(), header.size(), tag);
  if (std::memcmp(header.data(), "ID3\x03", 4) != 0) FailNoTag();
  // The tag's size leaves out its header and is syncsafe: seven bits a byte.
  const std::uint64_t size = (std::uint64_t{header[6]} << 21) | (std::uint64_t{header[7]} << 14) |
                             (std::uint64_t{header[8]} << 7) | header[9];
  if (size < room) FailConversion("cannot write the comment tag: no room in the tag");
  const std::uint64_t at = tag + kTagHeaderSize + size - room;
  std::vector<std::uint8_t> padding(room);
  ReadExactly(descriptor, padding.data(), padding.size(), at);
  if (std::any_of(padding.begin(), padding.end(), [](std::uint8_t b) { return b != 0; })) {
    FailConversion("cannot write the comment tag: no room in the tag");
  }
  WriteBytesAt(descriptor, frame.data(), frame.size(), at, kCannotWriteTag);
}

}  // namespace varnell

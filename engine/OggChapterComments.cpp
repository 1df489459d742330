#include "engine/OggChapterComments.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

extern "C" {
#include <libavutil/crc.h>
}

#include "engine/ChapterFrames.h"
#include "engine/ConversionFailure.h"
#include "engine/DescriptorBytes.h"

namespace varnell {
namespace {

constexpr const char* kCannotWrite = "cannot write chapters";
constexpr std::size_t kPageHeaderSize = 27;
constexpr std::size_t kCrcOffset = 22;
constexpr std::uint8_t kLastLacing = 255;  // a packet goes on in the next segment
constexpr std::string_view kVorbisPrefix("\x03vorbis", 7);
constexpr std::string_view kOpusPrefix = "OpusTags";

[[noreturn]] void FailNotOgg() { FailConversion("cannot write chapters: no Ogg comment header"); }

std::uint32_t Little32(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) |
         (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
}

void PutLittle32(std::string& out, std::size_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// Where the comment packet's bytes lie in the file, and the pages that carry them.
struct PacketPlace {
  std::string bytes;
  std::vector<std::pair<std::uint64_t, std::size_t>> spans;  // file offset, length
  std::vector<std::pair<std::uint64_t, std::size_t>> pages;  // page offset, whole page length
};

// Walks the pages of the file's first logical stream until its second packet (the comment
// header of Vorbis and Opus alike) is complete.
PacketPlace FindCommentPacket(int descriptor) {
  PacketPlace place;
  std::uint64_t at = 0;
  std::uint32_t serial = 0;
  bool first = true;
  int packet = 0;
  while (packet < 2) {
    std::uint8_t header[kPageHeaderSize + 255];
    ReadBytesAt(descriptor, header, kPageHeaderSize, at, kCannotWrite);
    if (std::memcmp(header, "OggS", 4) != 0) FailNotOgg();
    const std::uint32_t pageSerial = Little32(header + 14);
    if (first) serial = pageSerial;
    first = false;
    const std::size_t segments = header[26];
    ReadBytesAt(descriptor, header + kPageHeaderSize, segments, at + kPageHeaderSize, kCannotWrite);
    std::size_t bodyLength = 0;
    for (std::size_t i = 0; i < segments; ++i) bodyLength += header[kPageHeaderSize + i];
    const std::uint64_t body = at + kPageHeaderSize + segments;
    if (pageSerial == serial) {
      std::uint64_t segmentAt = body;
      bool touched = false;
      for (std::size_t i = 0; i < segments && packet < 2; ++i) {
        const std::uint8_t lacing = header[kPageHeaderSize + i];
        if (packet == 1 && lacing > 0) {
          const std::size_t old = place.bytes.size();
          place.bytes.resize(old + lacing);
          ReadBytesAt(descriptor, reinterpret_cast<std::uint8_t*>(place.bytes.data()) + old, lacing,
                      segmentAt, kCannotWrite);
          if (!place.spans.empty() &&
              place.spans.back().first + place.spans.back().second == segmentAt) {
            place.spans.back().second += lacing;
          } else {
            place.spans.emplace_back(segmentAt, lacing);
          }
          touched = true;
        }
        segmentAt += lacing;
        if (lacing < kLastLacing) ++packet;
      }
      if (touched) place.pages.emplace_back(at, kPageHeaderSize + segments + bodyLength);
    }
    at = body + bodyLength;
  }
  return place;
}

struct CommentHeader {
  std::string prefix;
  std::string vendor;
  std::vector<std::string> comments;
  std::string tail;  // Vorbis's framing bit, or Opus's padding

  std::string Bytes() const {
    std::string out = prefix;
    PutLittle32(out, vendor.size());
    out += vendor;
    PutLittle32(out, comments.size());
    for (const std::string& comment : comments) {
      PutLittle32(out, comment.size());
      out += comment;
    }
    return out + tail;
  }
};

CommentHeader ParseCommentHeader(const std::string& bytes) {
  CommentHeader header;
  for (const std::string_view prefix : {kVorbisPrefix, kOpusPrefix}) {
    if (bytes.compare(0, prefix.size(), prefix) == 0) header.prefix = prefix;
  }
  if (header.prefix.empty()) FailNotOgg();
  std::size_t at = header.prefix.size();
  const auto take = [&](std::size_t count) {
    if (bytes.size() - at < count) FailNotOgg();
    std::string part = bytes.substr(at, count);
    at += count;
    return part;
  };
  const auto takeLength = [&] {
    const std::string length = take(4);
    return Little32(reinterpret_cast<const std::uint8_t*>(length.data()));
  };
  header.vendor = take(takeLength());
  const std::uint32_t count = takeLength();
  for (std::uint32_t i = 0; i < count; ++i) header.comments.push_back(take(takeLength()));
  header.tail = bytes.substr(at);
  return header;
}

// CHAPTER, three or more digits, then "=" or "NAME=": the keys FFmpeg's reader makes chapters of.
bool IsChapterComment(std::string_view comment) {
  constexpr std::string_view kKey = "CHAPTER";
  if (comment.size() < kKey.size() || !std::equal(kKey.begin(), kKey.end(), comment.begin(),
                                                  [](char a, char b) { return a == (b & ~0x20); }))
    return false;
  std::size_t at = kKey.size();
  while (at < comment.size() && comment[at] >= '0' && comment[at] <= '9') ++at;
  return at > kKey.size() && (comment.substr(at, 1) == "=" || comment.substr(at, 5) == "NAME=");
}

void RewriteChecksum(int descriptor, std::uint64_t page, std::size_t length) {
  std::vector<std::uint8_t> bytes(length);
  ReadBytesAt(descriptor, bytes.data(), length, page, kCannotWrite);
  std::fill_n(bytes.begin() + kCrcOffset, 4, 0);
  // FFmpeg's table for this polynomial gives the checksum byte-swapped: its bytes go into the
  // little-endian field in the order they come out.
  const std::uint32_t crc = av_crc(av_crc_get_table(AV_CRC_32_IEEE), 0, bytes.data(), length);
  const std::uint8_t field[4] = {
      static_cast<std::uint8_t>(crc >> 24), static_cast<std::uint8_t>(crc >> 16),
      static_cast<std::uint8_t>(crc >> 8), static_cast<std::uint8_t>(crc)};
  WriteBytesAt(descriptor, field, sizeof field, page + kCrcOffset, kCannotWrite);
}

}  // namespace

std::size_t RewriteOggChapterComments(int descriptor, const std::vector<SourceChapter>& chapters) {
  const PacketPlace place = FindCommentPacket(descriptor);
  CommentHeader header = ParseCommentHeader(place.bytes);
  std::erase_if(header.comments, IsChapterComment);
  const std::vector<std::string> others = header.comments;
  std::size_t kept = chapters.size();
  std::string bytes;
  for (;; --kept) {
    header.comments = others;
    const std::vector<SourceChapter> written(chapters.begin(), chapters.begin() + kept);
    for (const auto& [name, value] : VorbisChapterComments(written))
      header.comments.push_back(name + "=" + value);
    bytes = header.Bytes();
    if (bytes.size() <= place.bytes.size()) break;
    if (kept == 0) FailConversion("cannot write chapters: the comment header has no room");
  }
  header.vendor.append(place.bytes.size() - bytes.size(), ' ');
  bytes = header.Bytes();
  std::size_t from = 0;
  for (const auto& [offset, length] : place.spans) {
    WriteBytesAt(descriptor, reinterpret_cast<const std::uint8_t*>(bytes.data()) + from, length,
                 offset, kCannotWrite);
    from += length;
  }
  for (const auto& [page, length] : place.pages) RewriteChecksum(descriptor, page, length);
  return kept;
}

}  // namespace varnell

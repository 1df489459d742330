#include "engine/ChapterFrames.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "engine/Id3CommentFrame.h"

namespace varnell {
namespace {

// A CTOC's entry count is one byte.
constexpr std::size_t kMostTableEntries = 255;
constexpr std::uint8_t kTopLevelOrdered = 0x03;
constexpr std::uint32_t kNoByteOffset = 0xFFFFFFFF;

std::int64_t Milliseconds(double seconds) { return std::llround(seconds * 1000.0); }

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A terminated ISO-8859-1 element id, the name the CTOC refers to the chapter by.
void PutElementId(std::vector<std::uint8_t>& out, std::size_t index) {
  const std::string id = "ch" + std::to_string(index);
  out.insert(out.end(), id.begin(), id.end());
  out.push_back(0);
}

std::uint32_t FrameMilliseconds(double seconds) {
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(Milliseconds(seconds), 0, 0xFFFFFFFE));
}

}  // namespace

std::vector<SourceChapter> ChaptersInClip(const std::vector<SourceChapter>& chapters, double begin,
                                          double length) {
  const double end = begin + length;
  std::vector<SourceChapter> kept;
  for (const SourceChapter& chapter : chapters) {
    const double start = std::max(chapter.startSeconds, begin);
    const double stop = std::min(chapter.endSeconds, end);
    // Compared in whole milliseconds, the chapters' own unit: one that ends where the clip
    // begins is outside it.
    if (Milliseconds(stop) <= Milliseconds(start)) continue;
    kept.push_back({start - begin, stop - begin, chapter.title});
  }
  return kept;
}

std::vector<std::uint8_t> Id3ChapterFrames(const std::vector<SourceChapter>& chapters) {
  std::vector<std::uint8_t> frames;
  for (std::size_t i = 0; i < chapters.size(); ++i) {
    std::vector<std::uint8_t> body;
    PutElementId(body, i);
    PutBig32(body, FrameMilliseconds(chapters[i].startSeconds));
    PutBig32(body, FrameMilliseconds(chapters[i].endSeconds));
    PutBig32(body, kNoByteOffset);
    PutBig32(body, kNoByteOffset);
    if (!chapters[i].title.empty()) {
      const std::vector<std::uint8_t> title = Id3TextFrame("TIT2", chapters[i].title);
      body.insert(body.end(), title.begin(), title.end());
    }
    const std::vector<std::uint8_t> frame = Id3Frame("CHAP", body);
    frames.insert(frames.end(), frame.begin(), frame.end());
  }
  if (chapters.empty()) return frames;
  const std::size_t entries = std::min(chapters.size(), kMostTableEntries);
  std::vector<std::uint8_t> table;
  const std::string_view tableId = "toc";
  table.insert(table.end(), tableId.begin(), tableId.end());
  table.push_back(0);
  table.push_back(kTopLevelOrdered);
  table.push_back(static_cast<std::uint8_t>(entries));
  for (std::size_t i = 0; i < entries; ++i) PutElementId(table, i);
  const std::vector<std::uint8_t> frame = Id3Frame("CTOC", table);
  frames.insert(frames.end(), frame.begin(), frame.end());
  return frames;
}

std::vector<std::pair<std::string, std::string>> VorbisChapterComments(
    const std::vector<SourceChapter>& chapters) {
  std::vector<std::pair<std::string, std::string>> comments;
  for (std::size_t i = 0; i < chapters.size(); ++i) {
    const std::int64_t ms = std::max<std::int64_t>(Milliseconds(chapters[i].startSeconds), 0);
    char number[16];
    std::snprintf(number, sizeof number, "CHAPTER%03zu", i + 1);
    char time[32];
    std::snprintf(time, sizeof time, "%02lld:%02lld:%02lld.%03lld",
                  static_cast<long long>(ms / 3600000), static_cast<long long>(ms / 60000 % 60),
                  static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
    comments.emplace_back(number, time);
    if (!chapters[i].title.empty())
      comments.emplace_back(std::string(number) + "NAME", chapters[i].title);
  }
  return comments;
}

}  // namespace varnell

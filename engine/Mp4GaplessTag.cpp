#include "engine/Mp4GaplessTag.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

extern "C" {
#include <libavutil/error.h>
}

#include "engine/ConversionFailure.h"

namespace varnell {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* kGaplessTagStep = "cannot write the gapless tag";
constexpr std::size_t kHeaderSize = 8;

std::uint32_t Big32(const std::uint8_t* at) {
  return (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) | (std::uint32_t{at[2]} << 8) |
         std::uint32_t{at[3]};
}

void PutBig32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

void AppendBig32(Bytes& bytes, std::uint32_t value) {
  bytes.resize(bytes.size() + 4);
  PutBig32(bytes.data() + bytes.size() - 4, value);
}

void AppendText(Bytes& bytes, std::string_view text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
}

Bytes MakeBox(std::string_view type, const Bytes& content) {
  Bytes box;
  AppendBig32(box, static_cast<std::uint32_t>(kHeaderSize + content.size()));
  AppendText(box, type);
  box.insert(box.end(), content.begin(), content.end());
  return box;
}

// A box whose content starts with version 0 and no flags.
Bytes MakeFullBox(std::string_view type, const Bytes& content) {
  Bytes full(4, 0);
  full.insert(full.end(), content.begin(), content.end());
  return MakeBox(type, full);
}

// The "----" item: who defines the key ("mean"), the key ("name") and its UTF-8 value ("data",
// type 1, no locale).
Bytes MakeGaplessItem(const AudioGaps& gaps) {
  Bytes mean;
  AppendText(mean, "com.apple.iTunes");
  Bytes name;
  AppendText(name, "iTunSMPB");
  Bytes data;
  AppendBig32(data, 1);
  AppendBig32(data, 0);
  AppendText(data, ItunesGaplessText(gaps));
  Bytes item = MakeFullBox("mean", mean);
  const Bytes nameBox = MakeFullBox("name", name);
  const Bytes dataBox = MakeBox("data", data);
  item.insert(item.end(), nameBox.begin(), nameBox.end());
  item.insert(item.end(), dataBox.begin(), dataBox.end());
  return MakeBox("----", item);
}

// The handler an iTunes metadata box begins with.
Bytes MakeMetadataHandler() {
  Bytes handler;
  AppendBig32(handler, 0);  // pre-defined
  AppendText(handler, "mdirappl");
  AppendBig32(handler, 0);
  AppendBig32(handler, 0);
  handler.push_back(0);  // empty name
  return MakeFullBox("hdlr", handler);
}

Bytes WrapIn(std::string_view type, const Bytes& inner) {
  if (type != "meta") return MakeBox(type, inner);
  Bytes content = MakeMetadataHandler();
  content.insert(content.end(), inner.begin(), inner.end());
  return MakeFullBox("meta", content);
}

struct BoxAt {
  std::size_t offset;
  std::size_t size;
};

std::optional<BoxAt> FindChild(const Bytes& bytes, std::size_t from, std::size_t to,
                               std::string_view type) {
  while (from + kHeaderSize <= to) {
    const std::size_t size = Big32(bytes.data() + from);
    if (size < kHeaderSize || from + size > to)
      FailConversion(std::string(kGaplessTagStep) + ": damaged index");
    if (std::string_view(reinterpret_cast<const char*>(bytes.data() + from + 4), 4) == type) {
      return BoxAt{from, size};
    }
    from += size;
  }
  return std::nullopt;
}

// The index with the item appended to moov/udta/meta/ilst: the item, wrapped in the boxes of that
// path that are missing, goes at the end of the deepest one there is, and every box around it
// grows by as much.
Bytes WithGaplessItem(Bytes moov, const AudioGaps& gaps) {
  constexpr std::array<std::string_view, 3> kPath{"udta", "meta", "ilst"};
  std::vector<std::size_t> enclosing{0};
  std::size_t from = kHeaderSize;
  std::size_t to = moov.size();
  std::size_t depth = 0;
  for (; depth < kPath.size(); ++depth) {
    const std::optional<BoxAt> child = FindChild(moov, from, to, kPath[depth]);
    if (!child) break;
    enclosing.push_back(child->offset);
    from = child->offset + kHeaderSize;
    // An iTunes meta box has a version; a QuickTime one starts with its first child.
    if (kPath[depth] == "meta" && child->size >= kHeaderSize + 4 &&
        Big32(moov.data() + from) == 0) {
      from += 4;
    }
    to = child->offset + child->size;
  }
  Bytes item = MakeGaplessItem(gaps);
  for (std::size_t missing = kPath.size(); missing > depth; --missing) {
    item = WrapIn(kPath[missing - 1], item);
  }
  moov.insert(moov.begin() + static_cast<std::ptrdiff_t>(to), item.begin(), item.end());
  for (const std::size_t box : enclosing) {
    PutBig32(moov.data() + box, Big32(moov.data() + box) + static_cast<std::uint32_t>(item.size()));
  }
  return moov;
}

void ReadAt(int descriptor, std::int64_t offset, std::uint8_t* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t result = ::pread(descriptor, data + done, size - done, offset + done);
    if (result < 0 && errno == EINTR) continue;
    if (result < 0) FailConversion(kGaplessTagStep, AVERROR(errno));
    if (result == 0) FailConversion(std::string(kGaplessTagStep) + ": the file ends early");
    done += static_cast<std::size_t>(result);
  }
}

void WriteAt(int descriptor, std::int64_t offset, const std::uint8_t* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t result = ::pwrite(descriptor, data + done, size - done, offset + done);
    if (result < 0 && errno == EINTR) continue;
    if (result <= 0) FailConversion(kGaplessTagStep, result < 0 ? AVERROR(errno) : AVERROR(EIO));
    done += static_cast<std::size_t>(result);
  }
}

struct TopLevelBox {
  std::int64_t offset = -1;
  std::int64_t size = 0;
};

}  // namespace

std::string ItunesGaplessText(const AudioGaps& gaps) {
  std::array<char, 160> text{};
  std::snprintf(text.data(), text.size(),
                " 00000000 %08X %08X %016" PRIX64
                " 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000",
                static_cast<unsigned>(gaps.priming), static_cast<unsigned>(gaps.padding),
                static_cast<std::uint64_t>(gaps.length));
  return text.data();
}

// Only the top-level boxes are walked: moov's place, and whether every mdat lies before it.
void WriteItunesGaplessTag(int descriptor, const AudioGaps& gaps) {
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) FailConversion(kGaplessTagStep, AVERROR(errno));
  const std::int64_t fileSize = status.st_size;
  TopLevelBox moov;
  std::int64_t lastSound = -1;
  for (std::int64_t at = 0; at + static_cast<std::int64_t>(kHeaderSize) <= fileSize;) {
    std::array<std::uint8_t, 16> header{};
    ReadAt(descriptor, at, header.data(), kHeaderSize);
    std::int64_t size = Big32(header.data());
    if (size == 1) {
      ReadAt(descriptor, at + 8, header.data() + 8, 8);
      size = (std::int64_t{Big32(header.data() + 8)} << 32) | Big32(header.data() + 12);
    } else if (size == 0) {
      size = fileSize - at;
    }
    if (size < static_cast<std::int64_t>(kHeaderSize) || at + size > fileSize) {
      FailConversion(std::string(kGaplessTagStep) + ": damaged file");
    }
    const std::string_view type(reinterpret_cast<const char*>(header.data() + 4), 4);
    if (type == "moov") moov = {at, size};
    if (type == "mdat") lastSound = at;
    at += size;
  }
  if (moov.offset < 0 || moov.offset < lastSound) {
    FailConversion(std::string(kGaplessTagStep) + ": the index does not follow the sound");
  }
  Bytes old(static_cast<std::size_t>(moov.size));
  ReadAt(descriptor, moov.offset, old.data(), old.size());
  const Bytes grown = WithGaplessItem(old, gaps);
  // The grown index goes where the old one was when nothing follows it, else after the last box,
  // the old one left as free space.
  const bool last = moov.offset + moov.size == fileSize;
  WriteAt(descriptor, last ? moov.offset : fileSize, grown.data(), grown.size());
  if (!last) {
    const std::uint8_t kFree[4] = {'f', 'r', 'e', 'e'};
    WriteAt(descriptor, moov.offset + 4, kFree, sizeof kFree);
  }
}

}  // namespace varnell

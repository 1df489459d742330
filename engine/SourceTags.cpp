#include "engine/SourceTags.h"

#include <array>
#include <string_view>

#include "media/SourceFile.h"
#include "media/StreamChoice.h"

namespace varnell {
namespace {

// The names other tag systems give what FFmpeg does not map to its own (an APE "Year"); the
// first of each is FFmpeg's.
struct TagNames {
  std::string_view key;
  std::array<const char*, 3> names;  // null-terminated when shorter
};
constexpr TagNames kTagNames[] = {
    {"artist", {"artist"}},
    {"album", {"album"}},
    {"album_artist", {"album_artist", "albumartist", "album artist"}},
    {"title", {"title"}},
    {"track", {"track", "tracknumber"}},
    {"disc", {"disc", "discnumber"}},
    {"date", {"date", "year"}},
    {"genre", {"genre"}},
};

// A non-empty value of the key in the dictionary; case does not matter, as for av_dict_get.
const char* ValueIn(const AVDictionary* tags, const TagNames& key) {
  for (const char* name : key.names) {
    if (name == nullptr) break;
    const AVDictionaryEntry* entry = av_dict_get(tags, name, nullptr, 0);
    if (entry != nullptr && entry->value != nullptr && entry->value[0] != '\0') return entry->value;
  }
  return nullptr;
}

}  // namespace

NameTags NameTagsOf(const AVFormatContext& source) {
  const int audio = ChooseStreams(source).audio;
  const AVDictionary* streamTags =
      audio != StreamChoice::kNoStream ? source.streams[audio]->metadata : nullptr;
  NameTags tags;
  for (const TagNames& key : kTagNames) {
    const char* value = ValueIn(streamTags, key);
    if (value == nullptr) value = ValueIn(source.metadata, key);
    if (value != nullptr) tags.emplace(std::string(key.key), value);
  }
  return tags;
}

NameTags ReadNameTags(const std::string& path) {
  SourceFile source;
  if (source.OpenInput(path) < 0) return {};
  return NameTagsOf(*source.context());
}

}  // namespace varnell

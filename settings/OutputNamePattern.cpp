#include "settings/OutputNamePattern.h"

#include <algorithm>
#include <vector>

namespace varnell {
namespace {

// Under NAME_MAX (255), as every name the program writes stays.
constexpr std::size_t kLongestComponent = 254;
// The collision loop's largest number, "(99999)" (ClaimedOutputFile stops before 100000).
constexpr std::size_t kCollisionNumberRoom = 7;

enum class Placeholder {
  Artist,
  Album,
  AlbumArtist,
  Title,
  Track,
  Disc,
  Year,
  Genre,
  Name,
  Chapter,
  ChapterNumber
};

struct PlaceholderName {
  std::string_view text;
  Placeholder placeholder;
  std::string_view tag;  // the tag it reads; empty for the ones that read none
};

constexpr PlaceholderName kPlaceholders[] = {
    {"artist", Placeholder::Artist, "artist"},
    {"album", Placeholder::Album, "album"},
    {"albumartist", Placeholder::AlbumArtist, "album_artist"},
    {"title", Placeholder::Title, "title"},
    {"track", Placeholder::Track, "track"},
    {"disc", Placeholder::Disc, "disc"},
    {"year", Placeholder::Year, "date"},
    {"genre", Placeholder::Genre, "genre"},
    {"name", Placeholder::Name, ""},
    {"chapter", Placeholder::Chapter, ""},
    {"chapternumber", Placeholder::ChapterNumber, ""},
};

const PlaceholderName* FindPlaceholder(std::string_view text) {
  for (const PlaceholderName& name : kPlaceholders) {
    if (name.text == text) return &name;
  }
  return nullptr;
}

// One piece of a pattern component: literal text, or a placeholder.
struct Piece {
  std::string_view literal;
  const PlaceholderName* placeholder = nullptr;
};

// The pieces of a pattern (or of one component of it), or why it has none: an unknown
// placeholder or a "{" without its "}".
std::optional<std::string> Parse(std::string_view pattern, std::vector<Piece>* pieces) {
  std::size_t at = 0;
  while (at < pattern.size()) {
    const std::size_t open = pattern.find('{', at);
    if (open == std::string_view::npos) {
      if (pieces) pieces->push_back({pattern.substr(at)});
      break;
    }
    if (open > at && pieces) pieces->push_back({pattern.substr(at, open - at)});
    const std::size_t close = pattern.find('}', open);
    if (close == std::string_view::npos) {
      return "\"{\" without a closing \"}\" in " + std::string(pattern.substr(open));
    }
    const std::string_view name = pattern.substr(open + 1, close - open - 1);
    const PlaceholderName* placeholder = FindPlaceholder(name);
    if (placeholder == nullptr) {
      return "unknown placeholder {" + std::string(name) + "}; the placeholders are " +
             std::string(kNamePlaceholders);
    }
    if (pieces) pieces->push_back({{}, placeholder});
    at = close + 1;
  }
  return std::nullopt;
}

bool IsTagDigit(char c) { return c >= '0' && c <= '9'; }

// The number a "3/12" tag starts with, as written ("3"); empty when it starts with none.
std::string LeadingNumber(std::string_view value) {
  std::size_t start = 0;
  while (start < value.size() && value[start] == ' ') ++start;
  std::size_t end = start;
  while (end < value.size() && IsTagDigit(value[end])) ++end;
  std::string digits(value.substr(start, end - start));
  // "003" is 3: the padding is the placeholder's to add.
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? (digits.empty() ? "" : "0") : digits.substr(first);
}

std::string TwoDigits(std::string number) {
  if (!number.empty() && number.size() < 2) number.insert(0, 2 - number.size(), '0');
  return number;
}

// The first run of four digits of a date tag ("2019-05-01", "May 2019"); empty without one.
std::string YearOf(std::string_view date) {
  for (std::size_t at = 0; at + 4 <= date.size(); ++at) {
    if (std::all_of(date.begin() + at, date.begin() + at + 4, IsTagDigit)) {
      return std::string(date.substr(at, 4));
    }
  }
  return {};
}

std::string_view TagValue(const NamedSource& source, std::string_view tag) {
  if (source.tags == nullptr) return {};
  const auto found = source.tags->find(tag);
  return found == source.tags->end() ? std::string_view() : std::string_view(found->second);
}

// The placeholder's text; empty when what it stands for is missing.
std::string ValueOf(const PlaceholderName& name, const NamedSource& source) {
  const std::string_view tag = TagValue(source, name.tag);
  switch (name.placeholder) {
    case Placeholder::Track:
      return TwoDigits(LeadingNumber(tag));
    case Placeholder::Disc:
      return LeadingNumber(tag);
    case Placeholder::Year:
      return YearOf(tag);
    case Placeholder::Name:
      return std::string(source.baseName);
    case Placeholder::Chapter:
      return source.chapterNumber > 0 ? std::string(source.chapterTitle) : std::string();
    case Placeholder::ChapterNumber:
      return source.chapterNumber > 0 ? TwoDigits(std::to_string(source.chapterNumber))
                                      : std::string();
    default:
      return std::string(tag);
  }
}

// What no file name may hold inside one component.
std::string WithoutSeparators(std::string text) {
  std::replace(text.begin(), text.end(), '/', '_');
  std::replace(text.begin(), text.end(), '\0', '_');
  return text;
}

std::string Trimmed(std::string_view text) {
  const auto kept = [](char c) { return c != ' ' && c != '.'; };
  const auto begin = std::find_if(text.begin(), text.end(), kept);
  const auto end = std::find_if(text.rbegin(), text.rend(), kept).base();
  return begin < end ? std::string(begin, end) : std::string();
}

// At most `bytes` bytes, never ending inside a UTF-8 character, and trimmed again after the cut.
std::string CutTo(std::string text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  std::size_t cut = bytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  text.resize(cut);
  return Trimmed(text);
}

std::string ExpandComponent(const std::vector<Piece>& pieces, const NamedSource& source,
                            const std::string& fallback) {
  std::string text;
  for (const Piece& piece : pieces) {
    if (piece.placeholder == nullptr) {
      text += piece.literal;
      continue;
    }
    const std::string value = ValueOf(*piece.placeholder, source);
    text += WithoutSeparators(value.empty() ? std::string(source.baseName) : value);
  }
  text = Trimmed(WithoutSeparators(std::move(text)));
  return text.empty() ? fallback : text;
}

}  // namespace

std::optional<std::string> NamePatternProblem(std::string_view pattern) {
  return Parse(pattern, nullptr);
}

bool NamePatternReadsTags(std::string_view pattern) {
  std::vector<Piece> pieces;
  if (Parse(pattern, &pieces)) return false;
  return std::any_of(pieces.begin(), pieces.end(), [](const Piece& piece) {
    return piece.placeholder != nullptr && !piece.placeholder->tag.empty();
  });
}

std::string_view EffectiveNamePattern(std::string_view pattern, int chapterNumber) {
  if (!pattern.empty()) return pattern;
  return chapterNumber > 0 ? kChapterNamePattern : std::string_view();
}

PatternedName ApplyNamePattern(std::string_view pattern, const NamedSource& source,
                               std::string_view extension) {
  std::string fallback = Trimmed(WithoutSeparators(std::string(source.baseName)));
  if (fallback.empty()) fallback = "_";
  std::vector<std::string_view> components;
  for (std::size_t at = 0; at <= pattern.size();) {
    std::size_t slash = pattern.find('/', at);
    if (slash == std::string_view::npos) slash = pattern.size();
    // "A//B" and a leading or trailing "/" make no folder of nothing.
    if (slash > at) components.push_back(pattern.substr(at, slash - at));
    at = slash + 1;
  }
  if (components.empty()) components.push_back("{name}");

  PatternedName named;
  for (std::size_t index = 0; index < components.size(); ++index) {
    std::vector<Piece> pieces;
    Parse(components[index], &pieces);
    const std::string text = ExpandComponent(pieces, source, fallback);
    if (index + 1 < components.size()) {
      if (!named.folders.empty()) named.folders += '/';
      named.folders += CutTo(text, kLongestComponent);
      continue;
    }
    const std::size_t reserved = extension.size() + kCollisionNumberRoom;
    const std::size_t room = kLongestComponent > reserved ? kLongestComponent - reserved : 1;
    named.fileName = CutTo(text, room) + std::string(extension);
  }
  return named;
}

}  // namespace varnell

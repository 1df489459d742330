#include "settings/OutputNamePattern.h"

#include <gtest/gtest.h>

#include <string>

namespace varnell {
namespace {

std::string Named(std::string_view pattern, const NameTags& tags, std::string_view base = "song",
                  std::string_view chapter = {}, int chapterNumber = 0) {
  const PatternedName named =
      ApplyNamePattern(pattern, {base, &tags, chapter, chapterNumber}, ".mp3");
  return named.folders.empty() ? named.fileName : named.folders + "/" + named.fileName;
}

// Every byte is a whole UTF-8 character: no cut left half of one behind.
bool WholeUtf8(const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (at + length > text.size()) return false;
    for (std::size_t i = 1; i < length; ++i) {
      if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return false;
    }
    at += length;
  }
  return true;
}

TEST(OutputNamePattern, TagsFillFoldersAndNamesWithinTheOutputFolder) {
  const NameTags tags{{"artist", "AC/DC"},    {"album", " ..Live.. "}, {"album_artist", "Various"},
                      {"title", "Thunder"},   {"track", "3/12"},       {"disc", "2/2"},
                      {"date", "1979-07-27"}, {"genre", ".."}};
  // "/" and NUL inside a value, spaces and dots around a component; a value of dots alone is
  // no folder of its own: it becomes the source's name.
  EXPECT_EQ(Named("{artist}/{album}/{track} {title}", tags), "AC_DC/Live/03 Thunder.mp3");
  NameTags withNul = tags;
  withNul["title"] = std::string("a\0b", 3);
  EXPECT_EQ(Named("{albumartist}/{disc}-{track} {title} ({year})", withNul),
            "Various/2-03 a_b (1979).mp3");
  EXPECT_EQ(Named("{genre}/../{name}", tags), "song/song/song.mp3");
  // A missing tag, an empty one and a year without four digits are the source's name.
  EXPECT_EQ(Named("{artist} - {title}", {{"title", ""}}, "x"), "x - x.mp3");
  EXPECT_EQ(Named("{year} {track}", {{"date", "79"}, {"track", "A"}}, "x"), "x x.mp3");
  EXPECT_EQ(Named("{track}", {{"track", "007"}}), "07.mp3");
  // Slashes of the pattern itself: none at the start, none doubled, none climbing out.
  EXPECT_EQ(Named("/{artist}//{name}/", tags), "AC_DC/song.mp3");
  EXPECT_EQ(Named("", tags), "song.mp3");
  EXPECT_EQ(Named("...", tags, " .. "), "_.mp3");

  // A chapter row, by the default pattern and by a pattern of its own; a whole file has none.
  EXPECT_EQ(EffectiveNamePattern("", 3), kChapterNamePattern);
  EXPECT_EQ(EffectiveNamePattern("", 0), "");
  EXPECT_EQ(Named(kChapterNamePattern, tags, "book", "Intro", 3), "book - 03 Intro.mp3");
  EXPECT_EQ(Named("{chapternumber} {chapter}", tags, "book"), "book book.mp3");

  // Long components stay under 255 bytes with the extension and "(99999)", cut between
  // characters.
  std::string longTitle;
  while (longTitle.size() < 600) longTitle += "Grüße ";
  const NameTags longTags{{"title", longTitle}};
  const PatternedName longName = ApplyNamePattern("{title}/{title}", {"song", &longTags}, ".flac");
  EXPECT_LE(longName.folders.size(), 254u);
  EXPECT_TRUE(WholeUtf8(longName.folders));
  EXPECT_LE(longName.fileName.size() + std::string("(99999)").size(), 254u);
  EXPECT_GT(longName.fileName.size(), 230u);
  EXPECT_TRUE(longName.fileName.ends_with(".flac"));
  EXPECT_TRUE(WholeUtf8(longName.fileName));
  EXPECT_NE(longName.fileName[longName.fileName.size() - 6], ' ');
}

TEST(OutputNamePattern, UnknownPlaceholdersAndOpenBracesAreRefusedInWords) {
  EXPECT_FALSE(NamePatternProblem("{artist}/{album}/{track} {title} [{year}] }"));
  EXPECT_EQ(
      NamePatternProblem("{artist}/{foo}").value_or("").rfind("unknown placeholder {foo}; ", 0),
      0u);
  EXPECT_EQ(NamePatternProblem("{Artist}").value_or("").rfind("unknown placeholder {Artist}", 0),
            0u);
  EXPECT_TRUE(NamePatternProblem("{artist"));
  // Only a tag placeholder makes the job open a file for its tags.
  EXPECT_TRUE(NamePatternReadsTags("{name} {year}"));
  EXPECT_FALSE(NamePatternReadsTags("{name} - {chapternumber} {chapter}"));
}

}  // namespace
}  // namespace varnell

// The source's tags and cover in every audio container, as FFmpeg's own readers see them again.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "Conversion.h"
#include "EngineRuns.h"
#include "Media.h"
#include "TempFolder.h"

namespace varnell {
namespace {

using testing::ConversionOptions;
using testing::Inspect;
using testing::TempFolder;
using testing::Tone;
using testing::WriteSample;
using Tags = std::map<std::string, std::string>;

const Tags kSourceTags{{"title", "Grüße aus Köln"},
                       {"artist", "Ségolène & 李"},
                       {"album", "Ångström"},
                       {"album_artist", "Die Ärzte"},
                       {"track", "3/12"},
                       {"disc", "1/2"},
                       {"date", "2024"},
                       {"genre", "Musique française"},
                       {"comment", "Schön gesagt — 良い 🎵"}};

// The tags read back under the names FFmpeg's reader gives them: generic ones where the format
// has a field of its own, the written name where it has not. Vorbis comments keep their case.
Tags ExpectedTags(const std::vector<std::string>& keys, bool vorbis) {
  Tags expected;
  for (const std::string& key : keys) {
    std::string name = key;
    // FFmpeg's reader renames ALBUMARTIST, TRACKNUMBER, DISCNUMBER and DESCRIPTION.
    const bool renamedOnReading =
        key == "album_artist" || key == "track" || key == "disc" || key == "comment";
    if (vorbis && !renamedOnReading) {
      for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    expected[name] = kSourceTags.at(key);
  }
  return expected;
}

struct TagCase {
  std::string extension;
  std::vector<std::string> keys;  // what the container has fields for
  bool vorbis = false;
  bool cover = false;
  bool id3 = false;
};

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The source's bytes, not re-encoded, with the size the picture block or the picture states.
void ExpectTheCover(const testmedia::MediaReport& report, const std::vector<unsigned char>& bytes,
                    const testmedia::SampleSpec& spec) {
  EXPECT_EQ(report.coverBytes, bytes);
  for (const auto& stream : report.streams) {
    if (!stream.attachedPicture) continue;
    EXPECT_EQ(stream.width, spec.coverWidth);
    EXPECT_EQ(stream.height, spec.coverHeight);
  }
}

const std::vector<std::string> kEveryKey{"title", "artist", "album", "album_artist", "track",
                                         "disc",  "date",   "genre", "comment"};

TEST(OutputTags, EveryContainerKeepsTheTagsAndTheCoverBytesItCanStore) {
  TempFolder folder;
  auto spec = Tone(folder / "tagged.m4a", 1.0);
  spec.containerTags = kSourceTags;
  spec.jpegCover = true;
  WriteSample(spec);
  const auto source = Inspect(spec.path);
  ASSERT_GT(source.coverBytes.size(), 100u);

  const std::vector<TagCase> cases{
      {".mp3", kEveryKey, false, true, true},
      {".m4a", kEveryKey, false, true},
      {".ogg", kEveryKey, true, true},
      {".opus", kEveryKey, true, true},
      {".flac", kEveryKey, true, true},
      {".wma", kEveryKey, false, false},
      // RIFF INFO has no fields for the album artist and the disc.
      {".wav", {"title", "artist", "album", "track", "date", "genre", "comment"}, false, false},
      {".aiff", kEveryKey, false, false, true},
  };
  for (const TagCase& c : cases) {
    SCOPED_TRACE(c.extension);
    ConversionOptions options;
    options.extension = c.extension;
    options.sampleRate = 48000;  // the one rate every encoder here takes
    const auto outcome = testing::ConvertOne(spec.path, folder.path().string(), options);
    if (outcome.status != RowOutcome::Status::Completed) {
      ADD_FAILURE() << outcome.reason;
      continue;
    }
    EXPECT_EQ(outcome.note, "");
    const auto report = Inspect(outcome.outputPath);
    EXPECT_GT(report.decodedSamples, 0);
    for (const auto& [key, value] : ExpectedTags(c.keys, c.vorbis)) {
      EXPECT_EQ(report.tags.count(key) ? report.tags.at(key) : "(none)", value) << key;
    }
    if (c.id3) {
      // The comment as the COMM frame players show, not as a user text frame.
      const std::string bytes = FileBytes(outcome.outputPath);
      EXPECT_NE(bytes.find("COMM"), std::string::npos);
      EXPECT_EQ(bytes.find("TXXX"), std::string::npos);
    }
    // An MP4 reader reports its own container's brands and language; the other formats must
    // carry neither the source's nor its "und" language.
    for (const auto& [key, value] : report.tags) {
      if (c.extension == ".m4a") break;
      std::string name = key;
      for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      EXPECT_TRUE(name != "language" && name.find("brand") == name.npos) << key;
    }
    if (c.cover) {
      ExpectTheCover(report, source.coverBytes, spec);
    } else {
      EXPECT_TRUE(report.coverBytes.empty());
    }
  }

  // A merge takes the first source's tags and cover; Ogg goes the picture comment's way.
  auto second = Tone(folder / "second.m4a", 1.0);
  second.containerTags = {{"title", "Zweiter"}};
  WriteSample(second);
  ConversionEngine engine;
  ConversionOptions ogg;
  ogg.extension = ".ogg";
  const auto merged =
      testing::RunMerge(engine, {testing::AddedRow(spec.path), testing::AddedRow(second.path)},
                        folder.path().string(), ogg);
  ASSERT_FALSE(merged.outputPath.empty()) << merged.failure;
  const auto report = Inspect(merged.outputPath);
  EXPECT_EQ(report.tags.count("TITLE") ? report.tags.at("TITLE") : "", kSourceTags.at("title"));
  ExpectTheCover(report, source.coverBytes, spec);
}

}  // namespace
}  // namespace varnell

// A music library as users keep one, made for a test under `parent`/Lib: nested discs, names
// with spaces and non-ASCII letters, numbers that sort naturally, a hidden file and folder, a
// text file, a link to a file, links back up the tree and one out of it.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Media.h"

namespace varnell::testing {

struct MusicFolder {
  std::string path;  // parent/Lib
  // The sound files a scan takes, in its order, as paths from `parent`.
  std::vector<std::string> expected;
  int notAudio = 1;
};

inline MusicFolder MakeMusicFolder(const std::filesystem::path& parent) {
  namespace fs = std::filesystem;
  const fs::path lib = parent / "Lib";
  for (const char* folder : {"Disc 1", "Disc 2", "Disc 10", ".cache"})
    fs::create_directories(lib / folder);
  fs::create_directories(parent / "Elsewhere");
  for (const char* file : {"Track 10.m4a", "track 2.m4a", ".hidden.m4a", ".cache/inner.m4a",
                           "Disc 1/Sång à la carte.m4a", "Disc 2/a.m4a", "Disc 10/a.m4a"}) {
    WriteSample(Tone((lib / file).string(), 0.3));
  }
  WriteSample(Tone((parent / "Elsewhere" / "away.m4a").string(), 0.3));
  std::ofstream(lib / "notes.txt") << "track list\n";
  fs::create_symlink("Track 10.m4a", lib / "Link.m4a");
  fs::create_directory_symlink("..", lib / "Disc 1" / "back up");
  fs::create_directory_symlink(".", lib / "Disc 2" / "itself");
  fs::create_directory_symlink("../Elsewhere", lib / "outside");
  return {lib.string(),
          {"Lib/Link.m4a", "Lib/track 2.m4a", "Lib/Track 10.m4a", "Lib/Disc 1/Sång à la carte.m4a",
           "Lib/Disc 2/a.m4a", "Lib/Disc 10/a.m4a"}};
}

}  // namespace varnell::testing

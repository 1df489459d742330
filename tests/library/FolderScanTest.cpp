#include "library/FolderScan.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "MusicFolder.h"
#include "TempFolder.h"
#include "library/NaturalOrder.h"

namespace varnell {
namespace {

TEST(NaturalOrder, NumbersByValueLettersWithoutCase) {
  for (const auto& [first, second] : std::vector<std::pair<std::string, std::string>>{
           {"Track 2", "Track 10"},
           {"track 2", "Track 10"},
           {"Track 9.m4a", "track 10.m4a"},
           {"a", "B"},
           {"Disc 02", "Disc 3"},
           {"x1y2", "x1y10"},
           {"Track", "Track 1"},
           {"B", "b"},  // equal without case: by bytes, so the order is total
           {"Zebra", "Ärger"}}) {
    EXPECT_TRUE(NaturallyBefore(first, second)) << first << " < " << second;
    EXPECT_FALSE(NaturallyBefore(second, first)) << second << " < " << first;
  }
  EXPECT_FALSE(NaturallyBefore("same", "same"));
}

TEST(FolderScan, TakesSoundFilesInOrderAndPassesOverTheRest) {
  testing::TempFolder parent;
  const testing::MusicFolder music = testing::MakeMusicFolder(parent.path());
  std::atomic<bool> cancel = false;
  std::vector<std::string> found;
  std::vector<std::string> subfolders;
  const FolderScanCount count = ScanFolder(music.path + "/", cancel, [&](const ScannedFile& file) {
    EXPECT_EQ(file.path, parent / file.relativePath);
    EXPECT_TRUE(file.probe.ok() && file.probe.durationMicroseconds > 0) << file.path;
    found.push_back(file.relativePath);
    subfolders.push_back(file.outputSubfolder());
  });
  EXPECT_EQ(found, music.expected);
  EXPECT_EQ(subfolders, (std::vector<std::string>{"Lib", "Lib", "Lib", "Lib/Disc 1", "Lib/Disc 2",
                                                  "Lib/Disc 10"}));
  EXPECT_EQ(count.accepted, static_cast<int>(music.expected.size()));
  EXPECT_EQ(count.notAudio, music.notAudio);
  EXPECT_FALSE(count.cancelled);

  // A cancel stops the walk at the next entry; what was found stays found.
  found.clear();
  const FolderScanCount cancelled = ScanFolder(music.path, cancel, [&](const ScannedFile& file) {
    found.push_back(file.relativePath);
    cancel = true;
  });
  EXPECT_EQ(found, std::vector<std::string>{music.expected.front()});
  EXPECT_TRUE(cancelled.cancelled);

  // A scan of a subfolder names its files from that subfolder; a file is no folder to scan.
  cancel = false;
  found.clear();
  ScanFolder(music.path + "/Disc 1/.", cancel,
             [&](const ScannedFile& file) { found.push_back(file.relativePath); });
  EXPECT_EQ(found, std::vector<std::string>{"Disc 1/Sång à la carte.m4a"});
  EXPECT_EQ(ScanFolder(music.path + "/Link.m4a", cancel, [](const ScannedFile&) {}).accepted, 0);
  EXPECT_TRUE(IsFolder(music.path + "/outside"));
  EXPECT_FALSE(IsFolder(music.path + "/Link.m4a"));
}

}  // namespace
}  // namespace varnell

// varnell-convert given folders: the files below them in the scan's order, each written into
// the same folders below the output folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "Media.h"
#include "MusicFolder.h"
#include "Process.h"
#include "TempFolder.h"

namespace varnell {
namespace {

TEST(FolderConversion, WritesTheTreeBelowTheOutputFolderAndCountsWhatIsNotAudio) {
  const std::string program =
      std::getenv("VARNELL_CONVERT") ? std::getenv("VARNELL_CONVERT") : "varnell-convert";
  testing::TempFolder sources;
  testing::TempFolder output;
  testing::TempFolder logs;
  const testing::MusicFolder music = testing::MakeMusicFolder(sources.path());
  // A user's file where a folder's output would go: it stays, and the collision rule of that
  // folder names the new one.
  std::filesystem::create_directories(output / "Lib/Disc 2");
  std::ofstream(output / "Lib/Disc 2/a.mp3") << "the user's own";
  const std::string single = sources / "Lib/track 2.m4a";

  const testing::ProcessResult result = testing::Run(
      program, {"--jobs", "2", "--output-dir", output.path().string(), music.path, single},
      logs.path().string());
  ASSERT_EQ(result.exitCode, 0) << result.err;

  std::vector<std::string> expected;
  for (const std::string& relative : music.expected) {
    std::string path = output / relative;
    path.replace(path.size() - 4, 4, relative == "Lib/Disc 2/a.m4a" ? "(0).mp3" : ".mp3");
    expected.push_back("Completed: " + path);
  }
  expected.push_back("Completed: " + (output / "track 2.mp3"));  // a file named itself: flat
  std::vector<std::string> lines;
  std::istringstream out(result.out);
  for (std::string line; std::getline(out, line);) {
    if (line.rfind("Completed: ", 0) == 0) lines.push_back(line);
  }
  EXPECT_EQ(lines, expected);
  EXPECT_NE(result.out.find("Skipped 1 file that is not audio under " + music.path + "\n"),
            std::string::npos)
      << result.out;
  for (const std::string& line : expected) {
    const std::string path = line.substr(11);
    const testmedia::MediaReport report = testing::Inspect(path);
    EXPECT_EQ(report.formatName, "mp3") << path;
    EXPECT_GT(report.decodedSamples, 0) << path;
  }
  std::ifstream kept(output / "Lib/Disc 2/a.mp3");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "the user's own");
  EXPECT_FALSE(std::filesystem::exists(output / "Lib/Elsewhere"));
}

}  // namespace
}  // namespace varnell

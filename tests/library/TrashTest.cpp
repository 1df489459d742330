// The Trash as a file manager reads it: where a file goes, what its info file says, that nothing
// in the trash is replaced, and that a file that cannot go stays where it was.
#include "library/Trash.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "HomeTrash.h"
#include "TempFolder.h"
#include "library/TrashedSources.h"

namespace varnell {
namespace {

namespace fs = std::filesystem;
using testing::HomeTrash;
using testing::TempFolder;

std::string Contents(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

TEST(Trash, GoesToTheHomeTrashWithItsPlaceAndNeverReplacesATrashedFile) {
  HomeTrash trash;
  TempFolder music;
  fs::create_directory(music / "Disc 1");
  const std::string first = music / "Disc 1/a song #1.m4a";
  const std::string second = music / "a song #1.m4a";
  Write(first, "first");
  Write(second, "second");

  EXPECT_EQ(MoveToTrash(first), std::nullopt);
  EXPECT_EQ(MoveToTrash(second), std::nullopt);
  EXPECT_FALSE(fs::exists(first));
  EXPECT_FALSE(fs::exists(second));
  EXPECT_EQ(Contents(trash.file("a song #1.m4a")), "first");
  EXPECT_EQ(Contents(trash.file("a song #1.2.m4a")), "second");
  const std::regex info(
      "\\[Trash Info\\]\nPath=(.*)\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n");
  std::smatch parts;
  const std::string firstInfo = trash.info("a song #1.m4a");
  ASSERT_TRUE(std::regex_match(firstInfo, parts, info)) << firstInfo;
  EXPECT_EQ(parts[1].str(), music.path().string() + "/Disc%201/a%20song%20%231.m4a");
  EXPECT_NE(trash.info("a song #1.2.m4a").find("/a%20song%20%231.m4a\n"), std::string::npos);
  EXPECT_EQ(fs::status(trash.folder()).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST(Trash, AFileThatCannotGoStaysWhereItIs) {
  HomeTrash trash;
  TempFolder music;
  const std::string song = music / "song.m4a";
  Write(song, "sound");
  // The trash folder's place is taken by a file: no can can be made there.
  fs::create_directories(fs::path(trash.folder()).parent_path());
  Write(trash.folder(), "in the way");
  const std::optional<std::string> refused = MoveToTrash(song);
  ASSERT_TRUE(refused.has_value());
  EXPECT_NE(refused->find("cannot be moved into " + trash.folder()), std::string::npos) << *refused;
  EXPECT_EQ(Contents(song), "sound");

  const std::optional<std::string> missing = MoveToTrash(music / "gone.m4a");
  ASSERT_TRUE(missing.has_value());
  EXPECT_EQ(missing->rfind("it cannot be found", 0), 0u) << *missing;
}

// A file on a file system of its own (a tmpfs) goes to the trash at that file system's top, its
// place written relative to the top; it is renamed there, never copied to the home trash.
TEST(Trash, AFileOnAnotherFileSystemGoesToTheTrashAtItsTop) {
  HomeTrash trash;
  const fs::path top = "/dev/shm";
  struct stat shared {
  }, home{};
  if (::stat(top.c_str(), &shared) != 0 || ::access(top.c_str(), W_OK) != 0 ||
      ::stat(fs::temp_directory_path().c_str(), &home) != 0 || shared.st_dev == home.st_dev) {
    GTEST_SKIP() << "no writable file system other than the temporary folder's at " << top;
  }
  const fs::path can = top / (".Trash-" + std::to_string(::getuid()));
  const bool canWasThere = fs::exists(can);
  std::string folder = (top / "varnell-trash-XXXXXX").string();
  ASSERT_NE(::mkdtemp(folder.data()), nullptr);
  const std::string name = fs::path(folder).filename().string() + ".m4a";
  const std::string song = folder + "/" + name;
  Write(song, "elsewhere");

  EXPECT_EQ(MoveToTrash(song), std::nullopt);
  EXPECT_EQ(Contents((can / "files" / name).string()), "elsewhere");
  EXPECT_NE(Contents((can / "info" / (name + ".trashinfo")).string())
                .find("\nPath=" + fs::path(folder).filename().string() + "/" + name + "\n"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(fs::path(trash.file(name))));

  std::error_code ignored;
  fs::remove(can / "files" / name, ignored);
  fs::remove(can / "info" / (name + ".trashinfo"), ignored);
  fs::remove(folder, ignored);
  if (!canWasThere) fs::remove_all(can, ignored);
}

// Only a completed row's source goes; a merge's only once its output is finished; a source that
// is its own output (a link to the same file) never.
TEST(TrashedSources, OnlyCompletedRowsWhoseOutputIsAnotherFile) {
  HomeTrash trash;
  TempFolder music;
  std::vector<std::string> sources;
  for (const char* name : {"done.m4a", "failed.m4a", "stopped.m4a", "idle.m4a", "self.m4a"}) {
    sources.push_back(music / name);
    Write(sources.back(), name);
  }
  const std::string output = music / "done.mp3";
  Write(output, "converted");
  fs::create_hard_link(sources[4], music / "self.mp3");
  std::vector<RowOutcome> outcomes(5);
  outcomes[0] = {RowOutcome::Status::Completed, output};
  outcomes[1].status = RowOutcome::Status::Failed;
  outcomes[2] = {RowOutcome::Status::Stopped, music / "stopped.mp3", "", "", 1.0};
  outcomes[4] = {RowOutcome::Status::Completed, music / "self.mp3"};

  BatchOutcome stoppedMerge;
  stoppedMerge.stopped = true;
  stoppedMerge.mergedOutputPath = output;
  EXPECT_TRUE(TrashCompletedSources(sources, outcomes, stoppedMerge, JobKind::MergeFiles).empty());

  const std::vector<TrashedSource> trashed =
      TrashCompletedSources(sources, outcomes, BatchOutcome{}, JobKind::ConvertFiles);
  ASSERT_EQ(trashed.size(), 2u);
  EXPECT_EQ(trashed[0].row, 0);
  EXPECT_EQ(trashed[0].failure, "");
  EXPECT_EQ(Contents(trash.file("done.m4a")), "done.m4a");
  EXPECT_EQ(trashed[1].row, 4);
  EXPECT_EQ(trashed[1].failure, "it is its own output");
  for (std::size_t row = 1; row < sources.size(); ++row) EXPECT_TRUE(fs::exists(sources[row]));
}

}  // namespace
}  // namespace varnell

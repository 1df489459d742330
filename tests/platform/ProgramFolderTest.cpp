// Where an installed program, which cannot write beside itself, keeps its files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "QStringPrinter.h"
#include "TempFolder.h"
#include "platform/ExecutableFolder.h"
#include "platform/UserFolders.h"

namespace varnell {
namespace {

using testing::TempFolder;

// Root may write anywhere the mount allows, so the folders that cannot be written here are ones
// that cannot be folders: a path through a regular file, a missing one, the file itself.
TEST(ProgramFolder, IsWritableOnlyWhenFilesCanBeCreatedInIt) {
  const TempFolder folder;
  const QString root = QString::fromStdString(folder.path().string());
  QFile file(root + "/plain");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_TRUE(IsWritableFolder(root));
  EXPECT_FALSE(IsWritableFolder(root + "/plain"));
  EXPECT_FALSE(IsWritableFolder(root + "/plain/bin"));
  EXPECT_FALSE(IsWritableFolder(root + "/missing"));
  EXPECT_FALSE(IsWritableFolder(""));
}

TEST(ProgramFolder, AnInstalledTreeFindsItsHelpPageInShareAndKeepsNothingBesideTheProgram) {
  const TempFolder folder;
  const QString prefix = QString::fromStdString(folder.path().string());
  ASSERT_TRUE(QDir().mkpath(prefix + "/bin") && QDir().mkpath(prefix + "/share/varnell"));
  EXPECT_EQ(HelpPagePath(prefix + "/bin"), "");
  QFile installed(prefix + "/share/varnell/help.html");
  ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
  installed.close();
  EXPECT_EQ(HelpPagePath(prefix + "/bin"), prefix + "/share/varnell/help.html");
  // An installed tree keeps nothing beside the program, even where it could (root, ~/.local).
  EXPECT_TRUE(IsWritableFolder(prefix + "/bin"));
  EXPECT_FALSE(KeepsFilesBesideProgram(prefix + "/bin"));
  QFile beside(prefix + "/bin/help.html");
  ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
  beside.close();
  EXPECT_EQ(HelpPagePath(prefix + "/bin"), prefix + "/bin/help.html");
  EXPECT_TRUE(KeepsFilesBesideProgram(prefix + "/bin"));  // a build folder or a portable copy
}

TEST(UserFolderNames, FollowTheDesktopsVariablesWithTheirUsualFallbacks) {
  struct Case {
    UserEnvironment user;
    QString config, music;
  } cases[] = {
      {{"/home/ann", "", ""}, "/home/ann/.config", "/home/ann/Music"},
      {{"/home/ann", "/cfg/ann/", "/data/Tunes/"}, "/cfg/ann", "/data/Tunes"},
      // A relative XDG_CONFIG_HOME is to be ignored; xdg-user-dir answers the home folder itself
      // when no music folder is set.
      {{"/home/ann", "cfg", "/home/ann/"}, "/home/ann/.config", "/home/ann/Music"},
      {{"/home/ann", "", "Tunes"}, "/home/ann/.config", "/home/ann/Music"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConfigFolder(c.user), c.config) << c.user.configHome.toStdString();
    EXPECT_EQ(MusicFolder(c.user), c.music) << c.user.musicFolder.toStdString();
  }
}

}  // namespace
}  // namespace varnell

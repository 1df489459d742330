// The window as the desktop starts an installed program: files named on the command line, and a
// program folder it cannot write, whose settings and outputs go to the user's folders.
#include <QDir>
#include <QFile>
#include <optional>

#include "MainWindowFixture.h"
#include "app/CommandLineFiles.h"
#include "platform/IniFile.h"

namespace varnell {
namespace {

using testing::MainWindowTest;
using testing::TempFolder;

// Sets environment variables for one test and puts back what was there.
class ScopedEnvironment {
 public:
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value)
        qputenv(name.constData(), *value);
      else
        qunsetenv(name.constData());
    }
  }
  void Set(const char* name, const QString& value) {
    Save(name);
    qputenv(name, value.toLocal8Bit());
  }
  void Unset(const char* name) {
    Save(name);
    qunsetenv(name);
  }

 private:
  void Save(const char* name) {
    saved_.emplace_back(
        name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
  }
  std::vector<std::pair<QByteArray, std::optional<QByteArray>>> saved_;
};

TEST_F(MainWindowTest, CommandLineFilesAreAddedAsCheckedRowsAndAnInvalidOneIsReported) {
  Recording("tone.m4a");
  NotARecording("-notes.m4a");
  const CommandLineFiles files =
      ReadCommandLineFiles({"varnell", "./tone.m4a", "--geometry", "--", "-notes.m4a"},
                           QString::fromStdString(media.path().string()));
  EXPECT_EQ(files.ignoredOptions, QStringList({"--geometry"}));
  ASSERT_EQ(files.paths.size(), 2);

  Tasks().AddChosenFiles(files.paths);
  ASSERT_EQ(List().GetItemCount(), 1);
  EXPECT_EQ(List().GetItemText(0, TaskListView::kSourceFile),
            QString::fromStdString(media / "tone.m4a"));
  EXPECT_TRUE(List().GetCheck(0));
  EXPECT_EQ(List().GetItemText(0, TaskListView::kOutputFormat),
            Window().profileBox()->currentText());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.startsWith("File:-notes.m4a is invalid!\n"))
      << messages.shown[0].text.toStdString();
  EXPECT_TRUE(Enabled(main_window::kConvert));
}

// The program folder is a path through a regular file, which no user, root included, can write.
TEST(InstalledProgram, KeepsItsStoreInTheConfigFolderAndItsFirstOutputsInTheMusicFolder) {
  const TempFolder root;
  const QString base = QString::fromStdString(root.path().string());
  QFile blocker(base + "/usr");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString programFolder = base + "/usr/bin";
  ScopedEnvironment environment;
  environment.Set("HOME", base + "/home");
  environment.Set("XDG_CONFIG_HOME", base + "/config");
  environment.Set("XDG_MUSIC_DIR", base + "/home/Tunes");

  RecordingMessageBox messages;
  ScriptedFileDialogs fileDialogs;
  RecordingShell shell;
  RecordingPowerOff powerOff;
  RecordingBrowserLauncher browser;
  const Platform platform{messages, fileDialogs, shell, powerOff, browser};
  ApplicationState state;
  const QString firstRun = base + "/home/Tunes/Varnell";
  const QString store = base + "/config/varnell/Path_Registration.ini";
  {
    MainWindow window(state, platform, programFolder);
    EXPECT_EQ(window.currentOutputFolder(), firstRun);
    EXPECT_TRUE(QDir(firstRun).exists());
    EXPECT_FALSE(QFile::exists(store));  // nothing is written until a folder is remembered
    const OutputFolderStore sameStore(programFolder);
    EXPECT_EQ(sameStore.storePath(), store);
    ASSERT_TRUE(sameStore.WriteOutputFolder(base + "/chosen"));
  }
  EXPECT_EQ(ReadProfileString(store, "Info", "path"), base + "/chosen");
  MainWindow restarted(state, platform, programFolder);
  EXPECT_EQ(restarted.currentOutputFolder(), base + "/chosen");
}

}  // namespace
}  // namespace varnell

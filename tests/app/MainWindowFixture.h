// A main window on test doubles, in a program folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <memory>

#include "Media.h"
#include "TempFolder.h"
#include "app/MainWindow.h"
#include "app/MainWindowTemplate.h"
#include "platform/testing/RecordingBrowserLauncher.h"
#include "platform/testing/RecordingMessageBox.h"
#include "platform/testing/RecordingNotifier.h"
#include "platform/testing/RecordingPowerOff.h"
#include "platform/testing/RecordingShell.h"
#include "platform/testing/ScriptedFileDialogs.h"

namespace varnell::testing {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { QDir(programFolder.path().string().c_str()).mkdir("bin"); }

  MainWindow& Window() {
    if (!window_) {
      window_ = std::make_unique<MainWindow>(state, platform, ProgramFolder());
    }
    return *window_;
  }
  QString ProgramFolder() const { return QString::fromStdString(programFolder.path().string()); }

  // A short recording in the media folder.
  QString Recording(const std::string& name, double seconds = 1.5) {
    return QString::fromStdString(WriteSample(Tone(media / name, seconds)));
  }
  QString NotARecording(const std::string& name) {
    const std::string path = media / name;
    FILE* file = std::fopen(path.c_str(), "w");
    std::fputs("plain text", file);
    std::fclose(file);
    return QString::fromStdString(path);
  }
  void AddThroughDialog(const QStringList& paths) {
    fileDialogs.openAnswers.push_back(paths);
    Tasks().AddFiles();
  }
  bool Enabled(int id) { return Window().button(id)->isEnabled(); }
  // As the user clicks the button, which must be enabled for that.
  void Click(int id) {
    EXPECT_TRUE(Enabled(id)) << id;
    Window().button(id)->click();
  }
  TaskListView& List() { return *Window().taskList(); }
  TaskListController& Tasks() { return Window().taskListController(); }
  PreviewController& Preview() { return Window().preview(); }
  BatchController& Batch() { return Window().batch(); }

  TempFolder programFolder;
  TempFolder media;
  RecordingMessageBox messages;
  ScriptedFileDialogs fileDialogs;
  RecordingShell shell;
  RecordingPowerOff powerOff;
  RecordingBrowserLauncher browser;
  RecordingNotifier notifier;
  Platform platform{messages, fileDialogs, shell, powerOff, browser, &notifier};
  ApplicationState state;

 private:
  std::unique_ptr<MainWindow> window_;
};

}  // namespace varnell::testing

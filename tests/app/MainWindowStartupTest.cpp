// Start-up, the output-folder store and the window's own behaviour.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QUrl>

#include "MainWindowFixture.h"
#include "platform/IniFile.h"
#include "settings/ProfileChoice.h"

namespace varnell {
namespace {

using namespace main_window;
using testing::MainWindowTest;

TEST_F(MainWindowTest, FirstRunUsesAndCreatesOutPutBesideTheProgram) {
  const QString expected = ProgramFolder() + "/OutPut";
  EXPECT_FALSE(QDir(expected).exists());
  EXPECT_EQ(Window().currentOutputFolder(), expected);
  EXPECT_TRUE(QDir(expected).exists());
  EXPECT_EQ(Window().outputFolderBox()->currentText(), expected);
  EXPECT_EQ(Window().outputFolderBox()->count(), 1);
}

TEST_F(MainWindowTest, AStoredFolderIsUsedEvenWhenItIsGone) {
  const QString store = ProgramFolder() + "/bin/Path_Registration.ini";
  ASSERT_TRUE(WriteProfileString(store, "Info", "Path", "/no/such/folder"));
  EXPECT_EQ(Window().currentOutputFolder(), "/no/such/folder");
  EXPECT_FALSE(QDir(ProgramFolder() + "/OutPut").exists());
}

TEST_F(MainWindowTest, TheStoreReadsBackWhatWasWrittenAndWithoutAPathUsesTheDefault) {
  const OutputFolderStore store(ProgramFolder());
  EXPECT_EQ(store.ReadOutputFolder(), "");
  QFile file(store.storePath());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Info]\nother=1\n");
  file.close();
  EXPECT_EQ(store.StartUpFolder(), ProgramFolder() + "/OutPut");
  ASSERT_TRUE(store.WriteOutputFolder("/music/out put"));
  EXPECT_EQ(store.ReadOutputFolder(), "/music/out put");
  EXPECT_EQ(ReadProfileString(store.storePath(), "Info", "other"), "1");
  // A portable copy that comes without bin/ gets it when the folder is first kept.
  ASSERT_TRUE(QDir(ProgramFolder() + "/bin").removeRecursively());
  ASSERT_TRUE(store.WriteOutputFolder("/music/again"));
  EXPECT_EQ(store.ReadOutputFolder(), "/music/again");
  const OutputFolderStore withoutBin =
      OutputFolderStore::BesideProgram(ProgramFolder() + "/elsewhere");
  EXPECT_FALSE(withoutBin.WriteOutputFolder("/x"));
}

TEST_F(MainWindowTest, StartsFramelessWithTheMp3ProfileAndTheButtonsInTheirStartStates) {
  MainWindow& window = Window();
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(window.size(), QSize(880, 537));
  EXPECT_EQ(window.windowTitle(), "Varnell");
  EXPECT_EQ(window.profileBox()->count(), 8);
  EXPECT_EQ(window.profileBox()->currentText(), kMp3ProfileName);
  EXPECT_EQ(state.currentPresetCode, 90106);
  EXPECT_EQ(state.outputSettings.audioCodecName, "MP3");
  EXPECT_TRUE(state.outputSettings.audioOnly);
  for (int id :
       {kAdd, kAddFolder, kHelp, kBrowse, kFindTarget, kMinimise, kClose, kAbout, kVolumeSymbol}) {
    EXPECT_TRUE(Enabled(id)) << id;
  }
  for (int id :
       {kConvert, kClip, kRemove, kClearAll, kSetting, kMerge, kPlay, kStop, kFileInformation}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
  EXPECT_FALSE(List().isVisibleTo(&window));
  EXPECT_EQ(window.button(kAdd)->geometry(), QRect(12, 23, 137, 60));
  EXPECT_EQ(window.button(kAdd)->toolTip(), "Add File");
  EXPECT_EQ(window.button(kMerge)->toolTip(), " Merge into a file");
  EXPECT_EQ(window.slider(kVolumeSlider)->GetValue(), 30000);
  EXPECT_EQ(window.slider(kPositionSlider)->GetMaximum(), 1000);  // after the preview's set-up
  EXPECT_FALSE(window.slider(kPositionSlider)->isEnabled());
  EXPECT_TRUE(window.slider(kVolumeSlider)->isEnabled());
}

TEST_F(MainWindowTest, TheHandCursorIsOverExactlyTheCommandButtons) {
  const std::set<int> hand(kHandCursorButtons.begin(), kHandCursorButtons.end());
  for (const ControlTemplate& control : kControls) {
    if (control.kind != ControlKind::SkinButton) continue;
    const bool shows = Window().button(control.id)->cursor().shape() == Qt::BitmapCursor;
    EXPECT_EQ(shows, hand.count(control.id) == 1) << control.id;
  }
  EXPECT_FALSE(Enabled(kConvert));  // disabled, and still a hand
  EXPECT_EQ(Window().button(kConvert)->cursor().shape(), Qt::BitmapCursor);
}

// The skinned buttons draw pictures, not their texts, and still answer their access keys.
TEST_F(MainWindowTest, AltWithAnAccessKeyPressesItsButton) {
  MainWindow& window = Window();
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  fileDialogs.openAnswers.push_back({Recording("a.m4a")});
  QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([this] { return List().GetItemCount() == 1; }));
  QTest::keyClick(&window, Qt::Key_H, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !messages.shown.empty(); }));
  EXPECT_EQ(messages.shown[0].text, "Can not find help file!");

  // Alt+C is Clip's alone (Convert answers Alt+V): it presses Clip.
  QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([this] { return messages.shown.size() == 2; }));
  EXPECT_EQ(messages.shown[1].text, "Please select the video files to cut!");
}

TEST_F(MainWindowTest, EnterEscapeAndTheWindowManagersCloseLeaveTheWindowOpen) {
  MainWindow& window = Window();
  window.show();
  QTest::keyClick(&window, Qt::Key_Return);
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  Click(kClose);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.result(), QDialog::Accepted);
}

// Delete edits the text in the folder box, removes a row only in the list (the row with the
// keyboard focus, wherever the selection is), and does nothing anywhere else.
TEST_F(MainWindowTest, DeleteEditsTextInTheFolderBoxAndRemovesTheFocusedRowInTheList) {
  AddThroughDialog({Recording("a.m4a"), Recording("b.m4a"), Recording("c.m4a")});
  MainWindow& window = Window();
  window.show();
  List().clearSelection();
  List().SelectAndFocusRow(0);
  QLineEdit* edit = window.outputFolderBox()->lineEdit();
  const QString folder = edit->text();
  edit->setFocus();
  edit->setCursorPosition(0);
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_EQ(edit->text(), folder.mid(1));
  QTest::keyClick(window.button(kBrowse), Qt::Key_Delete);
  ASSERT_EQ(List().GetItemCount(), 3);

  List().setFocus();
  QTest::keyClick(&List(), Qt::Key_End, Qt::ControlModifier);  // the focus moves, not the selection
  ASSERT_EQ(List().SelectedRows(), std::vector<int>{0});
  QTest::keyClick(&List(), Qt::Key_Delete);
  ASSERT_EQ(List().GetItemCount(), 2);
  EXPECT_TRUE(List().GetItemText(0, 0).endsWith("a.m4a"));
  EXPECT_TRUE(List().GetItemText(1, 0).endsWith("b.m4a"));

  List().clearSelection();
  List().setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
  QTest::keyClick(&List(), Qt::Key_Delete);  // nothing selected: the focused row goes
  ASSERT_EQ(List().GetItemCount(), 1);
  EXPECT_TRUE(List().GetItemText(0, 0).endsWith("b.m4a"));
}

TEST_F(MainWindowTest, BrowseAsksAgainForAMissingFolderAndKeepsAChosenOne) {
  const QString chosen = QString::fromStdString(media.path().string());
  const QString first = Window().currentOutputFolder();
  fileDialogs.folderAnswers = {QString("/gone/away"), chosen};
  Click(kBrowse);
  EXPECT_EQ(fileDialogs.folderStarts, std::vector<QString>(2, first));  // in the output folder
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "The output folder name is invalid!");
  EXPECT_EQ(fileDialogs.folderTitles.size(), 2u);
  EXPECT_EQ(fileDialogs.folderTitles[0], "Please select output folder:");
  EXPECT_EQ(Window().currentOutputFolder(), chosen);
  EXPECT_EQ(Window().outputFolderBox()->currentText(), chosen);
  EXPECT_EQ(Window().outputFolderBox()->count(), 2);
  fileDialogs.folderAnswers = {std::nullopt};
  Click(kBrowse);
  EXPECT_EQ(fileDialogs.folderStarts.back(), chosen);
  EXPECT_EQ(Window().currentOutputFolder(), chosen);
}

TEST_F(MainWindowTest, FindTargetHelpAndClipGoThroughThePlatform) {
  Click(kFindTarget);
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0], Window().currentOutputFolder());

  Click(kHelp);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Can not find help file!");
  QFile help(ProgramFolder() + "/help.html");
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.close();
  Click(kHelp);
  EXPECT_EQ(shell.opened.back(), ProgramFolder() + "/help.html");

  AddThroughDialog({Recording("a.m4a")});  // rows, none of them selected
  Click(kClip);
  EXPECT_EQ(messages.shown.back().text, "Please select the video files to cut!");
}

TEST_F(MainWindowTest, WhatTheDesktopCannotOpenIsSaidWithItsPathAndReason) {
  QFile help(ProgramFolder() + "/help.html");
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.close();
  shell.result = false;

  // The help page goes to the browser as a file address; once it opens there, nothing is said.
  Click(kHelp);
  ASSERT_EQ(browser.launched.size(), 1u);
  EXPECT_EQ(browser.launched[0], QUrl::fromLocalFile(ProgramFolder() + "/help.html").toString());
  EXPECT_TRUE(messages.shown.empty());

  browser.result = false;
  browser.failure = LaunchFailure::ProgramNotFound;
  Click(kHelp);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Can not open " + ProgramFolder() +
                "/help.html\n\nThe program of the default web browser was not found.");

  // A folder has no browser to fall back on.
  Click(kFindTarget);
  EXPECT_EQ(browser.launched.size(), 2u);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, "Can not open " + Window().outputFolderBox()->currentText() +
                                        "\n\nThe desktop has no program that opens folders.");

  // A text the desktop cannot be asked about is explained without asking it.
  const std::size_t asked = shell.opened.size();
  const std::vector<std::pair<QString, QString>> explained{
      {" ", "Can not open the output folder\n\nNo output folder is given."},
      {"out",
       "Can not open out\n\nThe output folder is not a full path; it must start with \"/\"."},
      {"/no/such/folder ", "Can not open /no/such/folder\n\nThe folder does not exist."}};
  for (const auto& [typed, message] : explained) {
    Window().outputFolderBox()->setEditText(typed);
    Click(kFindTarget);
    EXPECT_EQ(messages.shown.back().text, message);
  }
  EXPECT_EQ(shell.opened.size(), asked);
}

TEST_F(MainWindowTest, ChoosingWmaRewritesEveryRowsFormatAndTheSettings) {
  AddThroughDialog({Recording("a.m4a")});
  Tasks().DropFiles({Recording("dropped.m4a")});
  ASSERT_EQ(List().GetItemText(0, TaskListView::kOutputFormat), "");
  Window().profileBox()->setCurrentIndex(1);
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(List().GetItemText(row, TaskListView::kOutputFormat), kWmaProfileName);
  }
  EXPECT_EQ(state.currentPresetCode, 90110);
  EXPECT_EQ(state.outputSettings.audioCodecName, "WMA8");
  Window().profileBox()->setCurrentIndex(0);
  EXPECT_EQ(List().GetItemText(1, TaskListView::kOutputFormat), kMp3ProfileName);
  EXPECT_EQ(state.outputSettings.audioCodecName, "MP3");
}

}  // namespace
}  // namespace varnell

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>

#include "QStringPrinter.h"
#include "TempFolder.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/testing/ScriptedFileDialogs.h"

namespace varnell {
namespace {

const QString kAddFilesFilter =
    "MPEG-4 Audio(*.m4a)|*.m4a|Advanced Audio Coding(*.aac)|*.aac|All files (*.*)|*.*|";

TEST(FilterTranslation, KeepsDisplayTextsAndLetStarDotStarMatchEveryFile) {
  EXPECT_EQ(
      QtFilterFromMfcFilter(kAddFilesFilter),
      "MPEG-4 Audio(*.m4a) (*.m4a);;Advanced Audio Coding(*.aac) (*.aac);;All files (*.*) (*)");
  EXPECT_EQ(QtFilterFromMfcFilter("Audio|*.m4a; *.aac;*.*||ignored|*.x|"), "Audio (*.m4a *.aac *)");
  EXPECT_EQ(QtFilterFromMfcFilter("No pattern||"), "No pattern (*)");
  EXPECT_EQ(QtFilterFromMfcFilter(""), "");
}

TEST(QtFileDialogsSetUp, OpenDialogShowsTheDesignsFilterTextsForSeveralExistingFiles) {
  const auto dialog = QtFileDialogs::CreateOpenDialog(nullptr, kAddFilesFilter);
  EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
  EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(dialog->selectedNameFilter(), "MPEG-4 Audio(*.m4a)");
  const auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
  ASSERT_NE(types, nullptr);
  ASSERT_EQ(types->count(), 3);
  EXPECT_EQ(types->itemText(0), "MPEG-4 Audio(*.m4a)");
  EXPECT_EQ(types->itemText(1), "Advanced Audio Coding(*.aac)");
  EXPECT_EQ(types->itemText(2), "All files (*.*)");
}

// Names typed into the name field come back whole, also those the filter hides: the dialog on
// its own returns only the typed names its list shows once one of them matches the filter.
TEST(QtFileDialogsSetUp, EveryTypedNameComesBackAlsoOutsideTheFilter) {
  const testing::TempFolder folder;
  const QString root = QString::fromStdString(folder.path().string());
  for (const char* name : {"/song.wav", "/other.m4a"}) {
    QFile file(root + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  const auto dialog = QtFileDialogs::CreateOpenDialog(nullptr, kAddFilesFilter);
  dialog->setDirectory(root);
  dialog->show();
  auto* nameField = dialog->findChild<QLineEdit*>("fileNameEdit");
  ASSERT_NE(nameField, nullptr);
  nameField->setText("\"song.wav\" \"other.m4a\"");
  QCoreApplication::processEvents();  // the dialog selects what its list shows
  EXPECT_EQ(QtFileDialogs::ChosenFiles(*dialog),
            QStringList({root + "/song.wav", root + "/other.m4a"}));
  nameField->setText(root + "/song.wav");
  EXPECT_EQ(QtFileDialogs::ChosenFiles(*dialog), QStringList{root + "/song.wav"});
  nameField->clear();
  EXPECT_EQ(QtFileDialogs::ChosenFiles(*dialog), dialog->selectedFiles());
}

TEST(QtFileDialogsSetUp, FolderDialogPicksFoldersUnderTheGivenTitleFromTheGivenFolder) {
  const testing::TempFolder folder;
  const QString start = QString::fromStdString(folder.path().string());
  const auto dialog =
      QtFileDialogs::CreateFolderDialog(nullptr, "Please select output folder:", start);
  EXPECT_EQ(dialog->windowTitle(), "Please select output folder:");
  EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
  EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));
  EXPECT_EQ(dialog->directory().absolutePath(), start);
  EXPECT_EQ(QtFileDialogs::CreateFolderDialog(nullptr, "x", start + "/gone")->directory(),
            QDir::home());
}

TEST(ScriptedFileDialogsDouble, RecordsEachRequestAndAnswersInOrderThenCancels) {
  ScriptedFileDialogs dialogs;
  dialogs.openAnswers = {{"/music/a.m4a", "/music/b.aac"}};
  dialogs.folderAnswers = {QString("/out"), std::nullopt};

  EXPECT_EQ(dialogs.OpenFiles(nullptr, kAddFilesFilter),
            QStringList({"/music/a.m4a", "/music/b.aac"}));
  EXPECT_TRUE(dialogs.OpenFiles(nullptr, "other|*|").isEmpty());
  EXPECT_EQ(dialogs.BrowseFolder(nullptr, "first", "/music"), QString("/out"));
  EXPECT_EQ(dialogs.BrowseFolder(nullptr, "second"), std::nullopt);
  EXPECT_EQ(dialogs.BrowseFolder(nullptr, "third"), std::nullopt);

  EXPECT_EQ(dialogs.openFilters, std::vector<QString>({kAddFilesFilter, "other|*|"}));
  EXPECT_EQ(dialogs.folderTitles, std::vector<QString>({"first", "second", "third"}));
  EXPECT_EQ(dialogs.folderStarts, std::vector<QString>({"/music", "", ""}));
}

}  // namespace
}  // namespace varnell

#include <gtest/gtest.h>

#include <QComboBox>

#include "QStringPrinter.h"
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

TEST(QtFileDialogsSetUp, FolderDialogPicksFoldersUnderTheGivenTitle) {
  const auto dialog = QtFileDialogs::CreateFolderDialog(nullptr, "Please select output folder:");
  EXPECT_EQ(dialog->windowTitle(), "Please select output folder:");
  EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
  EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));
}

TEST(ScriptedFileDialogsDouble, RecordsEachRequestAndAnswersInOrderThenCancels) {
  ScriptedFileDialogs dialogs;
  dialogs.openAnswers = {{"/music/a.m4a", "/music/b.aac"}};
  dialogs.folderAnswers = {QString("/out"), std::nullopt};

  EXPECT_EQ(dialogs.OpenFiles(nullptr, kAddFilesFilter),
            QStringList({"/music/a.m4a", "/music/b.aac"}));
  EXPECT_TRUE(dialogs.OpenFiles(nullptr, "other|*|").isEmpty());
  EXPECT_EQ(dialogs.BrowseFolder(nullptr, "first"), QString("/out"));
  EXPECT_EQ(dialogs.BrowseFolder(nullptr, "second"), std::nullopt);
  EXPECT_EQ(dialogs.BrowseFolder(nullptr, "third"), std::nullopt);

  EXPECT_EQ(dialogs.openFilters, std::vector<QString>({kAddFilesFilter, "other|*|"}));
  EXPECT_EQ(dialogs.folderTitles, std::vector<QString>({"first", "second", "third"}));
}

}  // namespace
}  // namespace varnell

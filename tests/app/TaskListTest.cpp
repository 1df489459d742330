// Filling and emptying the task list: the file dialog, dropping, removing, the header box and the
// context menu, with the buttons' states after each change.
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "MainWindowFixture.h"
#include "MusicFolder.h"
#include "app/BatchController.h"
#include "app/FolderScanController.h"
#include "settings/ProfileChoice.h"

namespace varnell {
namespace {

using namespace main_window;
using testing::MainWindowTest;

class TaskList : public MainWindowTest {
 protected:
  QString Text(int row, int column) { return List().GetItemText(row, column); }
};

TEST_F(TaskList, TheFileDialogAppendsCheckedRowsInItsOrderAndReportsAnInvalidFile) {
  const QString a = Recording("a.m4a", 2.5);
  const QString bad = NotARecording("notes.m4a");
  const QString c = Recording("c.m4a", 65.0);
  AddThroughDialog({a, bad, c});

  ASSERT_EQ(fileDialogs.openFilters.size(), 1u);
  EXPECT_EQ(fileDialogs.openFilters[0],
            "MPEG-4 Audio(*.m4a)|*.m4a|MPEG-4 Audiobook(*.m4b)|*.m4b|MPEG-4(*.mp4)|*.mp4|"
            "Advanced Audio Coding(*.aac)|*.aac|All files (*.*)|*.*|");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "File:notes.m4a is invalid!\ncannot open source: Invalid data found when processing "
            "input");
  EXPECT_EQ(messages.shown[0].caption, ApplicationTitle());
  ASSERT_EQ(List().GetItemCount(), 2);
  EXPECT_EQ(Text(0, TaskListView::kSourceFile), a);
  EXPECT_EQ(Text(1, TaskListView::kSourceFile), c);
  EXPECT_EQ(Text(1, TaskListView::kStartTime), "00:00:00");
  EXPECT_EQ(Text(1, TaskListView::kEndTime), "00:01:05");
  EXPECT_EQ(Text(0, TaskListView::kEndTime), "00:00:02");
  EXPECT_EQ(Text(1, TaskListView::kOutputFormat), kMp3ProfileName);
  EXPECT_EQ(Text(1, TaskListView::kStatus), " Ready");
  EXPECT_EQ(Text(1, TaskListView::kDuration), "65");
  EXPECT_TRUE(List().GetCheck(0));
  EXPECT_TRUE(List().GetCheck(1));
  EXPECT_TRUE(List().isVisibleTo(&Window()));
  for (int id : {kClearAll, kConvert, kClip, kRemove, kFileInformation, kSetting, kMerge}) {
    EXPECT_TRUE(Enabled(id)) << id;
  }
  EXPECT_TRUE(List().SelectedRows().empty());
  EXPECT_FALSE(Enabled(kPlay)) << "nothing selected: nothing to play";
  EXPECT_FALSE(Enabled(kStop));
}

TEST_F(TaskList, ALongPathKeepsItsFileNameInViewAndShowsWholeUnderThePointer) {
  const QString deep = QString::fromStdString(media / "a folder with a rather long name");
  ASSERT_TRUE(QDir().mkpath(deep + "/and another one below it"));
  const QString path = deep + "/and another one below it/the song.m4a";
  QFile::copy(Recording("song.m4a"), path);
  AddThroughDialog({path});
  Window().profileBox()->setCurrentIndex(1);
  EXPECT_EQ(List().textElideMode(), Qt::ElideMiddle);
  EXPECT_EQ(List().item(0, TaskListView::kSourceFile)->toolTip(), path);
  EXPECT_EQ(List().item(0, TaskListView::kOutputFormat)->toolTip(),
            List().GetItemText(0, TaskListView::kOutputFormat));
  EXPECT_FALSE(List().item(0, TaskListView::kOutputFormat)->toolTip().isEmpty());
}

TEST_F(TaskList, ACancelledDialogAddsNothing) {
  Tasks().AddFiles();
  EXPECT_EQ(List().GetItemCount(), 0);
  EXPECT_FALSE(Enabled(kConvert));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TaskList, DroppedFilesGoOnTopUncheckedWithoutAFormat) {
  AddThroughDialog({Recording("first.m4a")});
  const QString x = Recording("x.m4a");
  const QString y = Recording("y.m4a");
  Tasks().DropFiles({x, y});
  ASSERT_EQ(List().GetItemCount(), 3);
  EXPECT_EQ(Text(0, 0), y);  // the later file of the drop ends up first
  EXPECT_EQ(Text(1, 0), x);
  EXPECT_FALSE(List().GetCheck(0));
  EXPECT_FALSE(List().GetCheck(1));
  EXPECT_TRUE(List().GetCheck(2));
  EXPECT_EQ(Text(0, TaskListView::kOutputFormat), "");
  EXPECT_EQ(Text(0, TaskListView::kStatus), " Ready");
  EXPECT_EQ(List().SelectedRows(), std::vector<int>{0});
}

TEST_F(TaskList, FilesDroppedFromAFileManagerArriveAsFileUrls) {
  const QString path = Recording("from manager.m4a");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path), QUrl("https://example.org/not-a-file.m4a")});
  MainWindow& window = Window();
  window.show();
  QDragEnterEvent enter(QPoint(100, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(&window, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(100, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(&window, &drop);
  ASSERT_EQ(List().GetItemCount(), 1);
  EXPECT_EQ(Text(0, 0), path);
  EXPECT_TRUE(messages.shown.empty());
}

// The scan runs on its own thread: the drop returns at once, the rows come as they are probed,
// and Convert and Merge wait for the last of them.
TEST_F(TaskList, ADroppedFolderAddsItsSoundFilesInOrderWhileConvertWaits) {
  AddThroughDialog({Recording("first.m4a")});
  const testing::MusicFolder music = testing::MakeMusicFolder(media.path());
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(music.path))});
  MainWindow& window = Window();
  window.show();
  QDragEnterEvent enter(QPoint(100, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(&window, &enter);
  QDropEvent drop(QPointF(100, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(&window, &drop);
  EXPECT_TRUE(Tasks().scanningFolders());
  EXPECT_FALSE(Enabled(kConvert));
  EXPECT_FALSE(Enabled(kMerge));
  Tasks().RunMenuCommand(TaskListController::kMenuAddFolder);  // refused while one runs
  EXPECT_TRUE(fileDialogs.folderTitles.empty());
  Window().StartConverting();  // as is a batch, which would convert only the rows found so far
  EXPECT_EQ(Text(0, TaskListView::kStatus), " Ready");

  ASSERT_TRUE(QTest::qWaitFor([this] { return !Tasks().scanningFolders(); }, 60000));
  ASSERT_EQ(List().GetItemCount(), 1 + static_cast<int>(music.expected.size()));
  for (std::size_t file = 0; file < music.expected.size(); ++file) {
    const int row = static_cast<int>(file) + 1;
    const QString relative = QString::fromStdString(music.expected[file]);
    EXPECT_EQ(Text(row, 0), QString::fromStdString((media.path() / music.expected[file]).string()));
    EXPECT_EQ(List().GetOutputSubfolder(row), relative.left(relative.lastIndexOf('/')));
    EXPECT_TRUE(List().GetCheck(row));
  }
  EXPECT_EQ(List().GetOutputSubfolder(0), "");
  EXPECT_TRUE(Enabled(kConvert));
  EXPECT_TRUE(Enabled(kMerge));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "6 files found. Skipped 1 file that is not audio.");

  // Each scanned row converts into its folders below the output folder, the others flat.
  messages.answers = {MessageChoice::Cancel};
  Window().StartConverting();
  const QString out = Window().currentOutputFolder();
  EXPECT_TRUE(QFile::exists(out + "/first.mp3"));
  for (const std::string& relative : music.expected) {
    const QString name = QString::fromStdString(relative);
    EXPECT_TRUE(QFile::exists(out + "/" + name.left(name.size() - 4) + ".mp3")) << relative;
  }

  // The context menu's Add Folder and the button beside Add ask for a folder; a cancelled
  // dialog adds nothing.
  fileDialogs.folderAnswers = {std::nullopt, std::nullopt};
  Tasks().RunMenuCommand(TaskListController::kMenuAddFolder);
  Click(kAddFolder);
  EXPECT_EQ(fileDialogs.folderTitles,
            std::vector<QString>(2, QString("Please select a folder to add:")));
  EXPECT_FALSE(Tasks().scanningFolders());
}

// However far the scan runs ahead of the rows, the user-interface thread is handed a few files
// per pass of its event loop, so what else waits there (a click, a timer, painting) comes
// between two deliveries rather than after the whole library.
TEST(FolderScanDelivery, ABacklogArrivesAFewFilesPerPassInOrderThenTheCount) {
  testing::TempFolder folder;
  std::vector<std::string> names;
  for (int track = 1; track <= 7; ++track) {
    names.push_back("Track " + std::to_string(track) + ".m4a");
    testing::WriteSample(testing::Tone(folder / names.back(), 0.2));
  }
  std::ofstream(folder / "cover.jpg") << "not a picture";
  FolderScanController scan(3);
  std::vector<std::vector<std::string>> deliveries;
  std::optional<FolderScanCount> finished;
  scan.onFound = [&](const std::vector<ScannedFile>& files) {
    deliveries.emplace_back();
    for (const ScannedFile& file : files) deliveries.back().push_back(file.relativePath);
  };
  scan.onFinished = [&](const FolderScanCount& count) { finished = count; };
  scan.Start({QString::fromStdString(folder.path().string())});
  while (!scan.scanThreadEnded()) std::this_thread::yield();  // everything found, none delivered

  QCoreApplication::sendPostedEvents(&scan);  // one pass
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_EQ(deliveries[0].size(), 3u);
  EXPECT_FALSE(finished);
  ASSERT_TRUE(QTest::qWaitFor([&] { return finished.has_value(); }));
  const std::string lib = folder.path().filename().string() + "/";
  std::vector<std::string> delivered;
  for (const auto& delivery : deliveries) {
    EXPECT_LE(delivery.size(), 3u);
    delivered.insert(delivered.end(), delivery.begin(), delivery.end());
  }
  std::vector<std::string> expected;
  for (const std::string& name : names) expected.push_back(lib + name);
  EXPECT_EQ(delivered, expected);
  EXPECT_EQ(deliveries.size(), 3u);
  EXPECT_EQ(finished->accepted, 7);
  EXPECT_EQ(finished->notAudio, 1);
  EXPECT_FALSE(scan.scanning());
}

TEST_F(TaskList, DoubledSeparatorsAreCleanedUp) {
  const QString path = Recording("song.m4a");
  const QString doubled = QString(path).replace(path.lastIndexOf('/'), 1, "//");
  Tasks().DropFiles({doubled});
  EXPECT_EQ(Text(0, 0), path);
}

TEST_F(TaskList, RemovingTheLastOfTwoRowsSelectsTheNewLastAndDisablesMerge) {
  AddThroughDialog({Recording("a.m4a"), Recording("b.m4a")});
  ASSERT_TRUE(Enabled(kMerge));
  List().clearSelection();
  List().SelectAndFocusRow(1);
  Tasks().RemoveSelected();
  ASSERT_EQ(List().GetItemCount(), 1);
  EXPECT_EQ(List().SelectedRows(), std::vector<int>{0});
  EXPECT_FALSE(Enabled(kMerge));
  EXPECT_TRUE(Enabled(kConvert));

  Tasks().RemoveSelected();
  EXPECT_EQ(List().GetItemCount(), 0);
  EXPECT_FALSE(List().isVisibleTo(&Window()));
  for (int id : {kClip, kConvert, kSetting, kClearAll, kRemove, kMerge, kFileInformation}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
  Tasks().RemoveSelected();  // nothing selected: nothing happens
}

TEST_F(TaskList, ClearAllEmptiesTheListAndDisablesItsCommands) {
  AddThroughDialog({Recording("a.m4a"), Recording("b.m4a"), Recording("c.m4a")});
  Tasks().ClearAll();
  EXPECT_EQ(List().GetItemCount(), 0);
  EXPECT_FALSE(List().isVisibleTo(&Window()));
  for (int id : {kClearAll, kClip, kRemove, kConvert, kSetting, kMerge, kFileInformation}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
  EXPECT_TRUE(Enabled(kAdd));
}

// Events that are waiting when an Add starts are delivered between its probes. Each would change
// the rows under the add loop: Clear All would leave its next row index past the end, Delete would
// remove a row, a drop would put a row amid the new ones, a second Add would open the dialog again.
TEST_F(TaskList, CommandsArrivingWhileFilesAreAddedLeaveTheListWhole) {
  const QString a = Recording("a.m4a"), b = Recording("b.m4a");
  const QString c = Recording("c.m4a"), d = Recording("d.m4a");
  AddThroughDialog({a, b});
  MainWindow& window = Window();
  window.show();
  List().SelectAndFocusRow(0);

  const auto postClick = [](QWidget* button) {
    const QPointF at = button->mask().begin()->center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QCoreApplication::postEvent(
          button, new QMouseEvent(type, at, button->mapToGlobal(at), Qt::LeftButton,
                                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                  Qt::NoModifier));
    }
  };
  postClick(window.button(kClearAll));
  QCoreApplication::postEvent(&List(),
                              new QKeyEvent(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier));
  postClick(window.button(kAdd));
  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(Recording("dropped.m4a"))});
  QCoreApplication::postEvent(
      &window, new QDropEvent(QPointF(100, 200), Qt::CopyAction, &dropped, Qt::LeftButton, {}));
  AddThroughDialog({c, d});

  ASSERT_EQ(List().GetItemCount(), 4);
  const QStringList expected{a, b, c, d};
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(Text(row, TaskListView::kSourceFile), expected[row]);
    EXPECT_EQ(Text(row, TaskListView::kStatus), " Ready") << row;
    EXPECT_TRUE(List().GetCheck(row)) << row;
  }
  EXPECT_EQ(fileDialogs.openFilters.size(), 2u);
  EXPECT_TRUE(Enabled(kClearAll));

  Tasks().ClearAll();  // once the add is over, the commands work again
  EXPECT_EQ(List().GetItemCount(), 0);
}

TEST_F(TaskList, AnInsertPastTheEndAppends) {
  EXPECT_EQ(List().InsertRow(3, "/first.m4a"), 0);
  EXPECT_EQ(List().InsertRow(9, "/second.m4a"), 1);
  EXPECT_EQ(Text(1, TaskListView::kSourceFile), "/second.m4a");
}

TEST_F(TaskList, TheHeaderBoxChecksAllAndFollowsEveryRow) {
  AddThroughDialog({Recording("a.m4a"), Recording("b.m4a"), Recording("c.m4a")});
  CheckableHeader* header = List().headerCtrl();
  EXPECT_EQ(header->checkImage(), CheckableHeader::kCheckedImage);
  List().SetCheck(1, false);
  EXPECT_EQ(header->checkImage(), CheckableHeader::kPartialImage);
  List().SetCheck(1, true);
  EXPECT_EQ(header->checkImage(), CheckableHeader::kCheckedImage);

  List().SetCheck(0, false);  // partly checked: a click checks every row
  EXPECT_EQ(header->checkImage(), CheckableHeader::kPartialImage);
  Window().show();
  const QPoint box = header->checkBoxRect().center();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, box);
  for (int row = 0; row < 3; ++row) EXPECT_TRUE(List().GetCheck(row)) << row;
  EXPECT_EQ(header->checkImage(), CheckableHeader::kCheckedImage);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, box);
  for (int row = 0; row < 3; ++row) EXPECT_FALSE(List().GetCheck(row)) << row;
  EXPECT_EQ(header->checkImage(), CheckableHeader::kClearImage);
}

TEST_F(TaskList, TheContextMenuFollowsTheSelection) {
  struct Item {
    QString text;
    int id;
    bool enabled;
    bool operator==(const Item&) const = default;
  };
  const auto items = [this] {
    std::vector<Item> result;
    const std::unique_ptr<QMenu> menu = Tasks().BuildContextMenu();
    for (const QAction* action : menu->actions()) {
      result.push_back({action->text(), action->data().toInt(), action->isEnabled()});
    }
    return result;
  };
  using D = TaskListController;
  const std::vector<Item> none{{"Add Files..", D::kMenuAddFiles, true},
                               {"Add Folder...", D::kMenuAddFolder, true},
                               {"", D::kMenuSeparator, true},
                               {"Remove", D::kMenuRemove, false},
                               {"Clear All", D::kMenuClearAll, true},
                               {"", D::kMenuSeparator, true},
                               {"Clip...", D::kMenuFileInformation, false},
                               {"Split into Chapters", D::kMenuSplitChapters, false},
                               {"", D::kMenuSeparator, true},
                               {"File Information...", D::kMenuFileInformation, false}};
  EXPECT_EQ(items(), none);

  AddThroughDialog({Recording("a.m4a"), Recording("b.m4a")});
  List().SelectAndFocusRow(0);
  std::vector<Item> selected = none;
  selected[3].enabled = selected[6].enabled = selected[9].enabled = true;
  selected[6].id = D::kMenuClip;
  EXPECT_EQ(items(), selected);

  // Choosing "Remove" from the menu removes the first selected row.
  Tasks().runMenu = [](QMenu& menu, const QPoint&) { return menu.actions()[3]; };
  Tasks().ContextMenu({});
  EXPECT_EQ(List().GetItemCount(), 1);

  List().clearSelection();
  Tasks().runMenu = [](QMenu&, const QPoint&) { return nullptr; };
  Tasks().ContextMenu({});
  EXPECT_FALSE(Enabled(kRemove));
  EXPECT_FALSE(Enabled(kClip));
  EXPECT_FALSE(Enabled(kFileInformation));
  EXPECT_TRUE(Enabled(kConvert));
}

// An audiobook's row becomes one row per chapter in its place, carrying its check, format and
// subfolder; the batch reads each chapter's exact range until the user clips the row.
TEST_F(TaskList, SplitIntoChaptersReplacesTheRowByItsChapters) {
  const testmedia::SampleSpec book = testing::Audiobook(media / "book.m4b");
  const QString path = QString::fromStdString(testing::WriteSample(book));
  const QString plain = Recording("plain.m4a");
  AddThroughDialog({plain, path, plain});
  List().SetCheck(1, false);
  List().SetOutputSubfolder(1, "Books");
  const auto splitEnabled = [this] {
    const std::unique_ptr<QMenu> menu = Tasks().BuildContextMenu();
    for (const QAction* action : menu->actions()) {
      if (action->data().toInt() == TaskListController::kMenuSplitChapters) {
        return action->isEnabled();
      }
    }
    return false;
  };
  List().SelectAndFocusRow(0);
  EXPECT_FALSE(splitEnabled());
  Tasks().RunMenuCommand(TaskListController::kMenuSplitChapters);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "File:plain.m4a has no chapters!");
  List().clearSelection();
  List().SelectAndFocusRow(1);
  ASSERT_TRUE(splitEnabled());
  Tasks().RunMenuCommand(TaskListController::kMenuSplitChapters);

  ASSERT_EQ(List().GetItemCount(), 6);
  EXPECT_EQ(Text(5, TaskListView::kSourceFile), plain);
  const QStringList times{"00:00:00", "00:00:04", "00:00:09", "00:00:15", "00:00:20"};
  const std::vector<TaskRow> tasks = TaskRowsOf(List());
  for (int chapter = 0; chapter < 4; ++chapter) {
    const int row = chapter + 1;
    SCOPED_TRACE(row);
    EXPECT_EQ(Text(row, TaskListView::kSourceFile), path);
    EXPECT_EQ(Text(row, TaskListView::kStartTime), times[chapter]);
    EXPECT_EQ(Text(row, TaskListView::kEndTime), times[chapter + 1]);
    EXPECT_EQ(Text(row, TaskListView::kOutputFormat), kMp3ProfileName);
    EXPECT_EQ(Text(row, TaskListView::kStatus), " Ready");
    EXPECT_EQ(Text(row, TaskListView::kDuration), "20");
    EXPECT_FALSE(List().GetCheck(row));
    EXPECT_EQ(List().GetOutputSubfolder(row), "Books");
    const std::string title = book.chapters[chapter].title;
    EXPECT_TRUE(List().item(row, 0)->toolTip().endsWith(
        QString("Chapter %1: %2").arg(row).arg(QString::fromStdString(title))));
    EXPECT_EQ(tasks[row].chapterNumber, row);
    EXPECT_EQ(tasks[row].chapterTitle, title);
    EXPECT_NEAR(tasks[row].exactBeginSeconds.value_or(-1), book.chapters[chapter].startSeconds,
                1e-6);
    EXPECT_NEAR(tasks[row].exactEndSeconds.value_or(-1), book.chapters[chapter].endSeconds, 1e-3);
    EXPECT_EQ(tasks[row].outputSubfolder, "Books");
  }
  EXPECT_EQ(tasks[0].chapterNumber, 0);
  EXPECT_FALSE(tasks[0].exactBeginSeconds);
  EXPECT_EQ(List().SelectedRows(), std::vector<int>{1});
  EXPECT_FALSE(splitEnabled()) << "a chapter is split already";

  // The clip dialog's texts: a changed range is the typed one, an unchanged one stays exact.
  List().SetClipTimes(2, "00:00:05", "00:00:09");
  List().SetClipTimes(3, "00:00:09", "00:00:15");
  const std::vector<TaskRow> clipped = TaskRowsOf(List());
  EXPECT_FALSE(clipped[2].exactBeginSeconds || clipped[2].exactEndSeconds);
  EXPECT_EQ(clipped[2].startTime, "00:00:05");
  EXPECT_EQ(clipped[2].chapterNumber, 2);
  EXPECT_EQ(clipped[2].chapterTitle, book.chapters[1].title);
  EXPECT_TRUE(clipped[3].exactBeginSeconds && clipped[3].exactEndSeconds);
}

TEST_F(TaskList, ClickingARowProbesItIntoTheMediaInformation) {
  AddThroughDialog({Recording("a.m4a", 3.0), Recording("b.m4a")});
  List().clearSelection();
  Tasks().RowClicked();
  EXPECT_FALSE(Enabled(kRemove));
  EXPECT_FALSE(Enabled(kMerge));

  List().SelectAndFocusRow(0);
  Tasks().RowClicked();
  EXPECT_TRUE(Enabled(kRemove));
  EXPECT_TRUE(Enabled(kMerge));
  EXPECT_EQ(state.mediaInformation.sourcePath, Text(0, 0).toStdString());
  EXPECT_EQ(state.mediaInformation.mediaLength, "00:00:03");
  EXPECT_EQ(state.mediaInformation.sampleRate, "44100");
  EXPECT_EQ(state.mediaInformation.frameRate, "");

  std::remove(Text(0, 0).toStdString().c_str());
  Tasks().RowClicked();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "File:" + Text(0, 0) + " invalid!");
}

}  // namespace
}  // namespace varnell

// Converting a batch from the main window: the launch's checks, the progress window, the
// completion scan, the completion message and the power-off.
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "FileSizeLimit.h"
#include "MainWindowFixture.h"
#include "OnePictureVideo.h"
#include "app/ProjectLinks.h"
#include "app/QuitSignalNotifier.h"
#include "platform/IniFile.h"

namespace varnell {
namespace {

using namespace main_window;
using testing::MainWindowTest;

const char* const kCompletionText = "Convertion Successfully!For more software, please visit our website";

class ConversionCommand : public MainWindowTest {
 protected:
  QString Status(int row) { return List().GetItemText(row, TaskListView::kStatus); }
  QString OutputFolder() { return Window().currentOutputFolder(); }
  std::size_t CompletionMessages() {
    return std::count_if(messages.shown.begin(), messages.shown.end(),
                         [](const auto& box) { return box.text == kCompletionText; });
  }
  // Runs `action` on the user-interface thread once `condition` holds, while the batch runs.
  void WhenDuringBatch(std::function<bool()> condition, std::function<void()> action) {
    auto* poll = new QTimer(&Window());
    poll->setInterval(2);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, condition, action] {
      if (!condition()) return;
      poll->stop();
      action();
      poll->deleteLater();
    });
    poll->start();
  }
  bool ConvertingRow(int row, int percent) {
    const AVConvert& engine = *state.engine;
    return engine.currentTaskIndex == row && engine.currentFilePercent >= percent;
  }
};

TEST_F(ConversionCommand, EachLaunchCheckStopsWithItsMessage) {
  Window().StartConverting();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Please add video files!");

  AddThroughDialog({Recording("a.m4a")});
  List().SetCheck(0, false);
  Window().StartConverting();
  EXPECT_EQ(messages.shown.back().text, "Please select at least one task to convert!");

  List().SetCheck(0, true);
  Window().outputFolderBox()->setEditText("/");
  const std::size_t before = messages.shown.size();
  Window().StartConverting();  // a folder of "/" returns without a word
  EXPECT_EQ(messages.shown.size(), before);
  EXPECT_FALSE(state.engine->IsWorkerRunning());
  EXPECT_EQ(state.engine->rowCount, 0);

  Window().outputFolderBox()->setEditText("/no/such/folder");
  Window().StartConverting();
  EXPECT_EQ(messages.shown.back().text,
            "The folder that you selected does not exit.Please specify a different folder!");
  EXPECT_EQ(messages.shown.back().caption, ApplicationTitle());
  EXPECT_EQ(Status(0), " Ready");
}

TEST_F(ConversionCommand, ABatchWithAFailingRowShowsEachResultAndSaysHowManyFailed) {
  const QString vanishing = Recording("b.m4a");
  AddThroughDialog({Recording("a.m4a"), vanishing, Recording("c.m4a")});
  std::remove(vanishing.toStdString().c_str());
  WhenDuringBatch([this] { return Window().progressDialog().isVisible(); },
                  [this] { Window().progressDialog().shutDownBox()->setChecked(true); });
  Window().StartConverting();

  EXPECT_EQ(Status(0), "Completed");
  EXPECT_EQ(Status(1), "Failure");
  EXPECT_EQ(Status(2), "Completed");
  EXPECT_FALSE(List().GetCheck(0));
  EXPECT_TRUE(List().GetCheck(1));
  EXPECT_FALSE(List().GetCheck(2));
  EXPECT_EQ(List().item(1, TaskListView::kStatus)->toolTip(),
            "cannot open source: No such file or directory");
  EXPECT_TRUE(QFileInfo::exists(OutputFolder() + "/a.mp3"));
  EXPECT_TRUE(QFileInfo::exists(OutputFolder() + "/c.mp3"));
  // No success is claimed: the box counts both and offers nothing else, and the power-off the
  // user asked for still follows a batch that ran to its end.
  EXPECT_EQ(CompletionMessages(), 0u);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "2 files converted, 1 failed. Point at a Failure to see why.");
  EXPECT_EQ(messages.shown[0].caption, "Information");
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_EQ(Window().completedTaskCount(), 2);
  EXPECT_FALSE(Window().isProgressTimerActive());
  EXPECT_FALSE(Window().progressDialog().isVisible());
  EXPECT_EQ(ReadProfileString(Window().outputFolderStore().storePath(), "Info", "path"), OutputFolder());
  EXPECT_EQ(powerOff.requests, 1);

  // Every row failing (the completed ones lost their check marks): still no success.
  Window().StartConverting();
  EXPECT_EQ(messages.shown.back().text, "0 files converted, 1 failed. Point at a Failure to see why.");
  EXPECT_EQ(CompletionMessages(), 0u);
}

TEST_F(ConversionCommand, TheWebSiteOfTheCompletionMessageFallsBackOnTheBrowser) {
  AddThroughDialog({Recording("a.m4a")});
  messages.answers = {MessageChoice::Ok};
  shell.result = false;
  Window().StartConverting();
  ASSERT_EQ(CompletionMessages(), 1u);
  EXPECT_EQ(messages.shown.back().buttons, MessageButtons::OkCancel);
  ASSERT_EQ(browser.launched.size(), 1u);
  EXPECT_EQ(browser.launched[0], kHomePageUrl);
  EXPECT_EQ(messages.shown.size(), 1u);  // the browser opened it: nothing more to say
}

TEST_F(ConversionCommand, UncheckedRowsAreLeftAloneAndTheCountEndsAtTheCheckedRows) {
  AddThroughDialog({Recording("a.m4a"), Recording("skip.m4a"), Recording("c.m4a")});
  List().SetCheck(1, false);
  messages.answers = {MessageChoice::Cancel};
  Window().StartConverting();
  EXPECT_EQ(Status(0), "Completed");
  EXPECT_EQ(Status(1), " Ready");
  EXPECT_FALSE(List().GetCheck(1));
  EXPECT_EQ(Status(2), "Completed");
  EXPECT_EQ(Window().completedTaskCount(), 2);
  EXPECT_EQ(state.engine->taskCount, 2);
  EXPECT_FALSE(QFileInfo::exists(OutputFolder() + "/skip.mp3"));
  EXPECT_TRUE(shell.opened.empty());  // Cancel opens nothing

  // Completed rows lost their check marks: converting again converts nothing new.
  Window().StartConverting();
  EXPECT_EQ(messages.shown.back().text, "Please select at least one task to convert!");
}

TEST_F(ConversionCommand, StopDuringTheSecondRowKeepsItsShorterFileAndShowsNoMessage) {
  // One row at a time, so that the third row has not begun when Stop comes.
  state.Engine().rowWorkers = 1;
  AddThroughDialog({Recording("first.m4a"), Recording("second.m4a", 90.0), Recording("third.m4a")});
  WhenDuringBatch([this] { return ConvertingRow(1, 3); },
                  [this] { QTest::mouseClick(Window().progressDialog().stopButton(), Qt::LeftButton); });
  Window().StartConverting();
  EXPECT_EQ(CompletionMessages(), 0u);
  EXPECT_EQ(Status(0), "Completed");
  EXPECT_EQ(Status(1), " Ready");
  EXPECT_EQ(Status(2), " Ready");
  EXPECT_TRUE(List().GetCheck(1));
  EXPECT_FALSE(state.engine->IsWorkerRunning());
  const QString stoppedPath = OutputFolder() + "/second.mp3";
  const auto stopped = testing::Inspect(stoppedPath.toStdString());
  EXPECT_GT(stopped.decodedSamples, 0);
  EXPECT_LT(stopped.decodedSamples, 80 * 44100);
  EXPECT_EQ(stopped.decodeErrors, 0);
  EXPECT_FALSE(QFileInfo::exists(OutputFolder() + "/third.mp3"));
  // The stopped row says where its shorter file is and how much it holds; the row never begun
  // says nothing.
  const long long heldSeconds = stopped.decodedSamples / 44100;
  EXPECT_EQ(List().item(1, TaskListView::kStatus)->toolTip(),
            QString("Stopped: %1 holds the first %2:%3")
                .arg(stoppedPath)
                .arg(heldSeconds / 60)
                .arg(heldSeconds % 60, 2, 10, QChar('0')));
  EXPECT_EQ(List().item(2, TaskListView::kStatus)->toolTip(), "");

  // Converting again right after the stop: one worker at a time, and it runs to the end.
  Window().StartConverting();
  EXPECT_EQ(CompletionMessages(), 1u);
  EXPECT_EQ(Status(1), "Completed");
  EXPECT_TRUE(QFileInfo::exists(OutputFolder() + "/second(0).mp3"));
  EXPECT_EQ(List().item(1, TaskListView::kStatus)->toolTip(), OutputFolder() + "/second(0).mp3");

  // Converted a third time and stopped, the row no longer reads "Completed".
  List().SetCheck(1, true);
  WhenDuringBatch([this] { return ConvertingRow(1, 3); },
                  [this] { QTest::mouseClick(Window().progressDialog().stopButton(), Qt::LeftButton); });
  Window().StartConverting();
  EXPECT_EQ(Status(1), " Ready");
  EXPECT_TRUE(List().item(1, TaskListView::kStatus)->toolTip().startsWith("Stopped: " + OutputFolder() + "/second(1).mp3"));
}

TEST_F(ConversionCommand, TheCloseBoxStopsLikeStopAndEscapeOrEnterDoNothing) {
  AddThroughDialog({Recording("long.m4a", 90.0)});
  ProgressDialog& progress = Window().progressDialog();
  WhenDuringBatch([this] { return ConvertingRow(0, 2); }, [&progress] {
    QTest::keyClick(&progress, Qt::Key_Escape);
    QTest::keyClick(&progress, Qt::Key_Return);
    EXPECT_TRUE(progress.isVisible());
    progress.close();
  });
  Window().StartConverting();
  EXPECT_FALSE(progress.isVisible());
  EXPECT_EQ(CompletionMessages(), 0u);
  EXPECT_TRUE(state.engine->stopFlag);
  EXPECT_EQ(Status(0), " Ready");
}

TEST_F(ConversionCommand, PowerOffFollowsOnlyANormalEndWithTheBoxChecked) {
  AddThroughDialog({Recording("a.m4a")});
  WhenDuringBatch([this] { return Window().progressDialog().isVisible(); },
                  [this] { Window().progressDialog().shutDownBox()->setChecked(true); });
  Window().StartConverting();
  EXPECT_EQ(powerOff.requests, 1);
  EXPECT_TRUE(Window().shutDownFlag());

  // The box opens clear and so does the flag: a batch that is not asked to power off does not.
  List().SetCheck(0, true);
  WhenDuringBatch([this] { return Window().progressDialog().isVisible(); }, [this] {
    EXPECT_FALSE(Window().progressDialog().shutDownBox()->isChecked());
    EXPECT_FALSE(Window().shutDownFlag());
    Window().progressDialog().shutDownBox()->setChecked(true);
    Window().progressDialog().shutDownBox()->setChecked(false);
  });
  Window().StartConverting();
  EXPECT_EQ(powerOff.requests, 1);

  // A stopped batch never powers off.
  List().SetCheck(0, true);
  Window().DropFiles({Recording("long.m4a", 90.0)});
  List().SetCheck(0, true);
  WhenDuringBatch([this] { return ConvertingRow(0, 2); }, [this] {
    Window().progressDialog().shutDownBox()->setChecked(true);
    Window().progressDialog().StopSequence();
  });
  Window().StartConverting();
  EXPECT_EQ(powerOff.requests, 1);
}

TEST_F(ConversionCommand, MergeJoinsTheCheckedRowsIntoOneFileInAFolderItMayCreate) {
  AddThroughDialog({Recording("one.m4a", 1.0), Recording("two.m4a", 2.0), Recording("three.m4a", 1.5)});
  List().SetCheck(1, false);
  List().SetCheck(2, false);
  QTest::mouseClick(Window().button(kMerge), Qt::LeftButton);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Merge is effective when two or more files are chosen!");
  EXPECT_FALSE(state.engine->IsWorkerRunning());

  List().SetCheck(1, true);
  List().SetCheck(2, true);
  List().SetItemText(1, TaskListView::kStartTime, "00:00:01");  // the clip's range is kept
  const QString folder = OutputFolder() + "/merged here";
  Window().outputFolderBox()->setEditText(folder);
  messages.answers = {MessageChoice::Cancel};
  QTest::mouseClick(Window().button(kMerge), Qt::LeftButton);

  for (int row = 0; row < 3; ++row) EXPECT_EQ(Status(row), "Completed") << row;
  const QStringList written = QDir(folder).entryList(QDir::Files | QDir::Hidden);
  ASSERT_EQ(written, QStringList{"one.mp3"});
  EXPECT_EQ(List().item(2, TaskListView::kStatus)->toolTip(), folder + "/one.mp3");
  EXPECT_EQ(CompletionMessages(), 1u);
  const auto merged = testing::Inspect((folder + "/one.mp3").toStdString());
  EXPECT_EQ(merged.decodeErrors, 0);
  EXPECT_NEAR(merged.decodedSamples, 3.5 * 44100, 0.003 * 44100 * 3);
}

// SIGTERM (the session ending) while a batch runs ends the batch as Stop does: the finished row
// shown, the running one kept as a shorter file, no hidden temporary left. Then the window quits;
// with no batch running, SIGHUP quits it at once.
TEST_F(ConversionCommand, QuitSignalsStopTheBatchThenQuit) {
  state.Engine().rowWorkers = 1;
  AddThroughDialog({Recording("first.m4a"), Recording("long.m4a", 90.0), Recording("third.m4a")});
  const QuitSignalNotifier quitSignals;
  QObject::connect(&quitSignals, &QuitSignalNotifier::quitRequested, &Window(),
                   &MainWindow::QuitOnSignal);
  QSignalSpy quit(&Window(), &QDialog::finished);
  WhenDuringBatch([this] { return ConvertingRow(1, 3); }, [] { ::raise(SIGTERM); });
  Window().StartConverting();
  EXPECT_EQ(quit.count(), 1);
  EXPECT_FALSE(state.engine->IsWorkerRunning());
  EXPECT_EQ(CompletionMessages(), 0u);
  EXPECT_EQ(Status(0), "Completed");
  EXPECT_EQ(Status(1), " Ready");
  EXPECT_TRUE(List().item(1, TaskListView::kStatus)->toolTip().startsWith(
      "Stopped: " + OutputFolder() + "/long.mp3 holds the first"));
  EXPECT_EQ(QDir(OutputFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
            QStringList({"first.mp3", "long.mp3"}));
  const auto stopped = testing::Inspect((OutputFolder() + "/long.mp3").toStdString());
  EXPECT_LT(stopped.decodedSamples, 80 * 44100);
  EXPECT_EQ(stopped.decodeErrors, 0);

  ::raise(SIGHUP);
  EXPECT_TRUE(quit.wait(10000));
  EXPECT_EQ(quit.count(), 2);

  // A dialog open over the window is closed with it, so nothing keeps the program running.
  bool closedByTheGuard = false;
  QTimer::singleShot(0, [] { ::raise(SIGTERM); });
  QTimer guard;  // ends the dialog if the signal did not, so that the test fails instead of hanging
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&closedByTheGuard] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      closedByTheGuard = true;
      modal->close();
    }
  });
  guard.start(20000);
  Window().Settings();
  EXPECT_FALSE(closedByTheGuard);
  EXPECT_EQ(quit.count(), 3);
}

// The status tool tip of a completed row: its output, then on a line of its own what went wrong
// without failing the row. A one-picture video's output is smaller than its thumbnail, so a
// file-size limit between the two lets the output through but not the thumbnail.
TEST_F(ConversionCommand, ACompletedRowsToolTipShowsItsNoteBelowTheOutput) {
  const std::string video = testing::WriteOnePictureVideo(media / "clip.mp4");
  AddThroughDialog({QString::fromStdString(video)});
  Window().profileBox()->addItem("PSP MPEG4 Video(*.MP4)");
  Window().profileBox()->setCurrentIndex(2);
  OutputSettings& settings = state.outputSettings;
  settings.audioOnly = false;
  settings.thumbnail = true;
  settings.videoCodecName = "MPEG4";
  settings.width = 32;
  settings.height = 24;
  settings.frameRateText = "25 fps";
  settings.videoBitRate = 64000;
  messages.answers = {MessageChoice::Cancel, MessageChoice::Cancel};
  Window().StartConverting();
  const QString first = OutputFolder() + "/clip.MP4";
  ASSERT_EQ(List().item(0, TaskListView::kStatus)->toolTip(), first);
  const auto outputBytes = QFileInfo(first).size();
  const auto thumbnailBytes = QFileInfo(OutputFolder() + "/clip.THM").size();
  ASSERT_GT(thumbnailBytes, outputBytes + 256);

  List().SetCheck(0, true);
  {
    const testing::FileSizeLimit limit((outputBytes + thumbnailBytes) / 2);
    Window().StartConverting();
  }
  EXPECT_EQ(Status(0), "Completed");
  EXPECT_EQ(List().item(0, TaskListView::kStatus)->toolTip(),
            OutputFolder() + "/clip(0).MP4\nthumbnail not written: cannot write thumbnail: File too large");
  EXPECT_FALSE(QFileInfo::exists(OutputFolder() + "/clip(0).THM"));
}

TEST(ProgressTick, LabelsAndBarsFollowTheTick) {
  ProgressDialog dialog;
  ProgressDialog::TickValues tick;
  tick.sourcePath = "/music/song.m4a";
  tick.filePercent = 45;
  tick.taskIndex = 0;
  tick.itemCount = 3;
  tick.completedTasks = 1;
  tick.taskCount = 3;
  dialog.ShowTick(tick);
  EXPECT_EQ(dialog.currentFileLabel()->text(), "song.m4a   45% has completed");
  EXPECT_EQ(dialog.currentFileBar()->value(), 45);
  EXPECT_EQ(dialog.totalBar()->value(), 33);
  EXPECT_EQ(dialog.totalLabel()->text(), "1 Task Completed / Total 3 Task(s)");

  tick.filePercent = -1;  // between files: the file's label and bar stay
  tick.sourcePath = "next.m4a";
  tick.completedTasks = 2;
  dialog.ShowTick(tick);
  EXPECT_EQ(dialog.currentFileLabel()->text(), "song.m4a   45% has completed");
  EXPECT_EQ(dialog.currentFileBar()->value(), 45);
  EXPECT_EQ(dialog.totalBar()->value(), 66);

  tick.filePercent = 7;  // a path without "/" is shown whole
  dialog.ShowTick(tick);
  EXPECT_EQ(dialog.currentFileLabel()->text(), "next.m4a   7% has completed");
  EXPECT_EQ(dialog.stopButton()->toolTip(), "Stop converting");
}

}  // namespace
}  // namespace varnell

// Converting a batch from the main window: the launch's checks, the progress window, the rows'
// outcomes in the Status column, the time left, the completion message (and its desktop notice),
// the sources to the Trash and the power-off.
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <functional>
#include <memory>
#include <vector>

#include "FileSizeLimit.h"
#include "HomeTrash.h"
#include "MainWindowFixture.h"
#include "OnePictureVideo.h"
#include "app/PowerOffCountdown.h"
#include "app/ProjectLinks.h"
#include "app/QuitSignalNotifier.h"
#include "platform/IniFile.h"

namespace varnell {
namespace {

using namespace main_window;
using testing::MainWindowTest;

const char* const kCompletionText =
    "Convertion Successfully!For more software, please visit our website";

class ConversionCommand : public MainWindowTest {
 protected:
  QString Status(int row) { return List().GetItemText(row, TaskListView::kStatus); }
  QString OutputFolder() { return Window().currentOutputFolder(); }
  std::size_t CompletionMessages() {
    return std::count_if(messages.shown.begin(), messages.shown.end(),
                         [](const auto& box) { return box.text == kCompletionText; });
  }
  QString ToolTip(int row) { return List().item(row, TaskListView::kStatus)->toolTip(); }
  ProgressDialog& Progress() { return Batch().progressDialog(); }
  // Runs `action` once, on the user-interface thread, when the window has shown `row` at
  // `percent` or more.
  void WhenRowReaches(int row, int percent, std::function<void()> action) {
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(&Batch(), &BatchController::rowPercent, &Batch(),
                                   [=](int reported, int reached) {
                                     if (reported != row || reached < percent) return;
                                     QObject::disconnect(*connection);
                                     action();
                                   });
  }
  // Runs `action` once the window has shown the first row's start: the progress window is up.
  void WhenBatchStarts(std::function<void()> action) {
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(&Batch(), &BatchController::rowStarted, &Batch(), [=] {
      QObject::disconnect(*connection);
      action();
    });
  }
  void ClickStop() { QTest::mouseClick(Progress().stopButton(), Qt::LeftButton); }
  static QString StoppedToolTip(const QString& path, long long seconds) {
    return QString("Stopped: %1 holds the first %2:%3")
        .arg(path)
        .arg(seconds / 60)
        .arg(seconds % 60, 2, 10, QChar('0'));
  }
};

TEST_F(ConversionCommand, EachLaunchCheckStopsWithItsMessage) {
  QSignalSpy accepted(&Batch(), &BatchController::outputFolderAccepted);
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

  Window().outputFolderBox()->setEditText("/no/such/folder");
  Window().StartConverting();
  EXPECT_EQ(messages.shown.back().text,
            "The folder that you selected does not exit.Please specify a different folder!");
  EXPECT_EQ(messages.shown.back().caption, ApplicationTitle());
  EXPECT_EQ(Status(0), " Ready");

  // A blank or relative folder would land below wherever the program was started, and a merge
  // would create it there: both are refused as a folder that cannot be made.
  AddThroughDialog({Recording("b.m4a")});
  for (const char* typed : {" ", "", "out put", "./here"}) {
    Window().outputFolderBox()->setEditText(typed);
    const std::size_t shown = messages.shown.size();
    QTest::mouseClick(Window().button(kMerge), Qt::LeftButton);
    Window().StartConverting();
    ASSERT_EQ(messages.shown.size(), shown + 2) << typed;
    EXPECT_EQ(messages.shown.back().text,
              "The folder that you selected does not exit.Please specify a different folder!");
  }
  for (const char* made : {" ", "out put", "here"}) EXPECT_FALSE(QFileInfo::exists(made)) << made;
  EXPECT_EQ(Status(0), " Ready");
  EXPECT_EQ(accepted.count(), 0);
}

TEST_F(ConversionCommand, ABatchWithAFailingRowShowsEachResultAndSaysHowManyFailed) {
  const QString vanishing = Recording("b.m4a");
  AddThroughDialog({Recording("a.m4a"), vanishing, Recording("c.m4a")});
  std::remove(vanishing.toStdString().c_str());
  Window().StartConverting();

  EXPECT_EQ(Status(0), "Completed");
  EXPECT_EQ(Status(1), "Failure");
  EXPECT_EQ(Status(2), "Completed");
  EXPECT_FALSE(List().GetCheck(0));
  EXPECT_TRUE(List().GetCheck(1));
  EXPECT_FALSE(List().GetCheck(2));
  EXPECT_EQ(ToolTip(1), "cannot open source: No such file or directory");
  EXPECT_TRUE(QFileInfo::exists(OutputFolder() + "/a.mp3"));
  EXPECT_TRUE(QFileInfo::exists(OutputFolder() + "/c.mp3"));
  // No success is claimed: the box counts both and offers nothing else.
  EXPECT_EQ(CompletionMessages(), 0u);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "2 files converted, 1 failed. Point at a Failure to see why.");
  EXPECT_EQ(messages.shown[0].caption, "Information");
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_EQ(Batch().completedRows(), 2);
  EXPECT_FALSE(Progress().isVisible());
  EXPECT_EQ(ReadProfileString(ProgramFolder() + "/bin/Path_Registration.ini", "Info", "path"),
            OutputFolder());

  // Every row failing (the completed ones lost their check marks): still no success.
  Window().StartConverting();
  EXPECT_EQ(messages.shown.back().text,
            "0 files converted, 1 failed. Point at a Failure to see why.");
  EXPECT_EQ(CompletionMessages(), 0u);
}

// Named by the tags the probe read into folders of their own; converted again with "Skip", the
// row whose output exists reads "Skipped", points at that file and loses its check mark, and
// the message counts it.
TEST_F(ConversionCommand, ARowWhoseOutputExistsIsSkippedAndCounted) {
  auto tagged = testing::Tone(media / "a.m4a", 1.0);
  tagged.containerTags = {{"artist", "AC/DC"}};
  AddThroughDialog({QString::fromStdString(testing::WriteSample(tagged)), Recording("b.m4a")});
  state.outputSettings.namePattern = "{artist}/{name}";
  state.outputSettings.skipExisting = true;
  messages.answers = {MessageChoice::Cancel};
  Window().StartConverting();
  const QString taggedOutput = OutputFolder() + "/AC_DC/a.mp3";
  EXPECT_EQ(ToolTip(0), taggedOutput);
  ASSERT_TRUE(QFileInfo::exists(OutputFolder() + "/b/b.mp3"));
  const QDateTime written = QFileInfo(taggedOutput).lastModified();

  QFile::remove(OutputFolder() + "/b/b.mp3");
  List().SetCheck(0, true);
  List().SetCheck(1, true);
  Window().StartConverting();
  EXPECT_EQ(Status(0), "Skipped");
  EXPECT_EQ(ToolTip(0), taggedOutput);
  EXPECT_FALSE(List().GetCheck(0));
  EXPECT_EQ(Status(1), "Completed");
  EXPECT_EQ(QFileInfo(taggedOutput).lastModified(), written);
  EXPECT_FALSE(QFileInfo::exists(OutputFolder() + "/AC_DC/a(0).mp3"));
  EXPECT_EQ(messages.shown.back().text, "1 file converted, 1 skipped (their outputs exist).");
  EXPECT_EQ(Progress().totalLabel()->text(), "2 Task Completed / Total 2 Task(s)");
}

TEST_F(ConversionCommand, TheWebSiteOfTheCompletionMessageFallsBackOnTheBrowser) {
  AddThroughDialog({Recording("a.m4a")});
  messages.answers = {MessageChoice::Ok};
  shell.result = false;
  Window().StartConverting();
  ASSERT_EQ(CompletionMessages(), 1u);
  EXPECT_EQ(messages.shown.back().buttons, MessageButtons::OkCancel);
  ASSERT_EQ(browser.launched.size(), 1u);
  EXPECT_EQ(browser.launched[0], HomePageUrl());
  EXPECT_EQ(messages.shown.size(), 1u);  // the browser opened it: nothing more to say
}

// bin/ beside the program is a file: the folder cannot be kept, which is said once per run,
// after the batch rather than over its progress window.
TEST_F(ConversionCommand, AFolderThatCannotBeKeptIsSaidOnceAfterTheBatch) {
  ASSERT_TRUE(QDir(ProgramFolder()).rmdir("bin"));
  QFile blocker(ProgramFolder() + "/bin");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  AddThroughDialog({Recording("a.m4a")});
  messages.answers = {MessageChoice::Cancel};
  Window().StartConverting();
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, kCompletionText);
  EXPECT_EQ(messages.shown[1].text,
            "The output folder cannot be kept for the next start: " + ProgramFolder() +
                "/bin/Path_Registration.ini cannot be written.");
  List().SetCheck(0, true);
  messages.answers = {MessageChoice::Cancel};
  Window().StartConverting();
  EXPECT_EQ(messages.shown.size(), 3u);
}

TEST_F(ConversionCommand, UncheckedRowsAreLeftAloneAndTheCountEndsAtTheCheckedRows) {
  AddThroughDialog({Recording("a.m4a"), Recording("skip.m4a"), Recording("c.m4a")});
  List().SetCheck(1, false);
  messages.answers = {MessageChoice::Cancel};
  const QString folder = OutputFolder();
  Window().outputFolderBox()->setEditText("  " + folder + " ");  // blanks around it are dropped
  Window().StartConverting();
  EXPECT_EQ(OutputFolder(), folder);
  EXPECT_EQ(Status(0), "Completed");
  EXPECT_EQ(Status(1), " Ready");
  EXPECT_FALSE(List().GetCheck(1));
  EXPECT_EQ(Status(2), "Completed");
  EXPECT_EQ(Batch().completedRows(), 2);
  EXPECT_EQ(Progress().totalLabel()->text(), "2 Task Completed / Total 2 Task(s)");
  EXPECT_FALSE(QFileInfo::exists(OutputFolder() + "/skip.mp3"));
  EXPECT_TRUE(shell.opened.empty());  // Cancel opens nothing

  // Completed rows lost their check marks: converting again converts nothing new.
  Window().StartConverting();
  EXPECT_EQ(messages.shown.back().text, "Please select at least one task to convert!");
}

TEST_F(ConversionCommand, StopDuringTheSecondRowKeepsItsShorterFileAndShowsNoMessage) {
  // One row at a time, so that the third row has not begun when Stop comes.
  Batch().setRowWorkers(1);
  AddThroughDialog({Recording("first.m4a"), Recording("second.m4a", 90.0), Recording("third.m4a")});
  WhenRowReaches(1, 3, [this] {
    // The window shows the row the batch is at, with that row's percent, and the total bar
    // has moved on by that row's share.
    const int percent = Progress().currentFileBar()->value();
    EXPECT_EQ(Progress().currentFileLabel()->text(),
              QString("second.m4a   %1% has completed").arg(percent));
    EXPECT_EQ(Progress().totalBar()->value(), (100 + percent) / 3);
    ClickStop();
    // The click only asks: the window shows the batch until the batch says it has ended.
    EXPECT_TRUE(Progress().isVisible());
    EXPECT_TRUE(Batch().running());
  });
  Window().StartConverting();
  EXPECT_EQ(CompletionMessages(), 0u);
  EXPECT_EQ(Status(0), "Completed");
  // The stopped row says so and loses its check mark like a completed one; the row never begun
  // stays as it was.
  EXPECT_EQ(Status(1), "Stopped");
  EXPECT_FALSE(List().GetCheck(1));
  EXPECT_EQ(Status(2), " Ready");
  EXPECT_TRUE(List().GetCheck(2));
  EXPECT_FALSE(Progress().isVisible());
  const QString stoppedPath = OutputFolder() + "/second.mp3";
  const auto stopped = testing::Inspect(stoppedPath.toStdString());
  EXPECT_GT(stopped.decodedSamples, 0);
  EXPECT_LT(stopped.decodedSamples, 80 * 44100);
  EXPECT_EQ(stopped.decodeErrors, 0);
  EXPECT_FALSE(QFileInfo::exists(OutputFolder() + "/third.mp3"));
  // The stopped row says where its shorter file is and how much it holds; the row never begun
  // says nothing.
  const long long heldSeconds = stopped.decodedSamples / 44100;
  EXPECT_EQ(ToolTip(1), StoppedToolTip(stoppedPath, heldSeconds));
  EXPECT_EQ(ToolTip(2), "");

  // Checked and converted again right after the stop: one worker at a time, to the end.
  List().SetCheck(1, true);
  Window().StartConverting();
  EXPECT_EQ(CompletionMessages(), 1u);
  EXPECT_EQ(Status(1), "Completed");
  EXPECT_TRUE(QFileInfo::exists(OutputFolder() + "/second(0).mp3"));
  EXPECT_EQ(ToolTip(1), OutputFolder() + "/second(0).mp3");

  // Converted a third time and stopped, the row no longer reads "Completed".
  List().SetCheck(1, true);
  WhenRowReaches(1, 3, [this] { ClickStop(); });
  Window().StartConverting();
  EXPECT_EQ(Status(1), "Stopped");
  EXPECT_TRUE(ToolTip(1).startsWith("Stopped: " + OutputFolder() + "/second(1).mp3"));
}

TEST_F(ConversionCommand, TheCloseBoxStopsLikeStopAndEscapeOrEnterDoNothing) {
  AddThroughDialog({Recording("long.m4a", 90.0)});
  ProgressDialog& progress = Progress();
  WhenRowReaches(0, 2, [&progress] {
    QTest::keyClick(&progress, Qt::Key_Escape);
    QTest::keyClick(&progress, Qt::Key_Return);
    EXPECT_TRUE(progress.isVisible());
    progress.close();
  });
  Window().StartConverting();
  EXPECT_FALSE(progress.isVisible());
  EXPECT_EQ(CompletionMessages(), 0u);
  EXPECT_EQ(Status(0), "Stopped");
  EXPECT_TRUE(ToolTip(0).startsWith("Stopped: " + OutputFolder() + "/long.mp3 holds the first"));
}

// Nobody need be there: a countdown stands in for the end message and powers off when it runs
// out (failures do not hold it back), its text counting each second. Cancel keeps the computer
// on and brings the message; a refused power-off is said in a box.
TEST_F(ConversionCommand, PowerOffFollowsItsCountdownOnlyAfterANormalEndWithTheBoxChecked) {
  PowerOffCountdown& countdown = Batch().powerOffCountdown();
  countdown.setTickInterval(std::chrono::milliseconds(1));
  std::vector<QString> texts;
  QObject::connect(&countdown, &PowerOffCountdown::secondsLeftChanged, &countdown,
                   [&] { texts.push_back(countdown.text()->text()); });
  const QString vanishing = Recording("b.m4a");
  AddThroughDialog({Recording("a.m4a"), vanishing});
  std::remove(vanishing.toStdString().c_str());
  WhenBatchStarts([this] { Progress().shutDownBox()->setChecked(true); });
  Window().StartConverting();
  EXPECT_EQ(powerOff.requests, 1);
  EXPECT_TRUE(Batch().shutDownFlag());
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_EQ(texts.size(), 60u);
  EXPECT_EQ(texts[0], "The computer will power off in 60 seconds");
  EXPECT_EQ(texts[1], "The computer will power off in 59 seconds");
  EXPECT_EQ(texts[59], "The computer will power off in 1 second");
  EXPECT_FALSE(countdown.isVisible());

  // Cancel as the box opens, long before its first second is up.
  countdown.setTickInterval(std::chrono::hours(1));
  auto cancelOnOpening = QObject::connect(
      &countdown, &PowerOffCountdown::secondsLeftChanged, &countdown, [&countdown] {
        QTimer::singleShot(0, &countdown, [&countdown] {
          QTest::mouseClick(countdown.cancelButton(), Qt::LeftButton);
        });
      });
  List().SetCheck(0, true);
  WhenBatchStarts([this] { Progress().shutDownBox()->setChecked(true); });
  Window().StartConverting();
  QObject::disconnect(cancelOnOpening);
  EXPECT_EQ(powerOff.requests, 1);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "1 file converted, 1 failed. Point at a Failure to see why.");

  countdown.setTickInterval(std::chrono::milliseconds(1));
  powerOff.refusal = "logind does not allow it (it answers \"no\")";
  List().SetCheck(0, true);
  WhenBatchStarts([this] { Progress().shutDownBox()->setChecked(true); });
  Window().StartConverting();
  EXPECT_EQ(powerOff.requests, 2);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text,
            "The computer could not be powered off: logind does not allow it (it answers "
            "\"no\").");
  List().DeleteItem(1);
  powerOff.refusal.reset();

  // The box opens clear and so does the flag: a batch that is not asked to power off does not.
  List().SetCheck(0, true);
  WhenBatchStarts([this] {
    EXPECT_FALSE(Progress().shutDownBox()->isChecked());
    EXPECT_FALSE(Batch().shutDownFlag());
    Progress().shutDownBox()->setChecked(true);
    Progress().shutDownBox()->setChecked(false);
  });
  Window().StartConverting();
  EXPECT_EQ(powerOff.requests, 2);

  // A stopped batch never powers off.
  List().SetCheck(0, true);
  Tasks().DropFiles({Recording("long.m4a", 90.0)});
  List().SetCheck(0, true);
  WhenRowReaches(0, 2, [this] {
    Progress().shutDownBox()->setChecked(true);
    ClickStop();
  });
  Window().StartConverting();
  EXPECT_EQ(powerOff.requests, 2);
}

TEST_F(ConversionCommand, MergeJoinsTheCheckedRowsIntoOneFileInAFolderItMayCreate) {
  AddThroughDialog(
      {Recording("one.m4a", 1.0), Recording("two.m4a", 2.0), Recording("three.m4a", 1.5)});
  List().SetCheck(1, false);
  List().SetCheck(2, false);
  QTest::mouseClick(Window().button(kMerge), Qt::LeftButton);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Merge is effective when two or more files are chosen!");

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
  EXPECT_EQ(ToolTip(2), folder + "/one.mp3");
  EXPECT_EQ(CompletionMessages(), 1u);
  const auto merged = testing::Inspect((folder + "/one.mp3").toStdString());
  EXPECT_EQ(merged.decodeErrors, 0);
  EXPECT_NEAR(merged.decodedSamples, 3.5 * 44100, 0.003 * 44100 * 3);
}

// A stopped merge keeps the file it has: the rows merged before the stop completed into it, and
// the row the stop ended says how much the merged file holds. While it merges, the progress
// window shows the row being merged and counts the rows it has passed.
TEST_F(ConversionCommand, AStoppedMergeKeepsItsFileAndTheStoppedRowSaysWhatItHolds) {
  AddThroughDialog(
      {Recording("one.m4a", 1.0), Recording("long.m4a", 90.0), Recording("three.m4a")});
  WhenRowReaches(1, 3, [this] {
    EXPECT_EQ(Progress().currentFileLabel()->text(),
              QString("long.m4a   %1% has completed").arg(Progress().currentFileBar()->value()));
    EXPECT_EQ(Progress().totalLabel()->text(), "1 Task Completed / Total 3 Task(s)");
    // A merge's percent is that of the whole output, here still below the passed row's share.
    EXPECT_EQ(Progress().totalBar()->value(), 33);
    EXPECT_EQ(Status(0), " Ready");  // its outcome waits for the merged file
    ClickStop();
  });
  QTest::mouseClick(Window().button(kMerge), Qt::LeftButton);
  EXPECT_EQ(CompletionMessages(), 0u);
  const QString merged = OutputFolder() + "/one.mp3";
  EXPECT_EQ(QDir(OutputFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{"one.mp3"});
  EXPECT_EQ(Status(0), "Completed");
  EXPECT_EQ(ToolTip(0), merged);
  EXPECT_FALSE(List().GetCheck(0));
  const auto held = testing::Inspect(merged.toStdString());
  EXPECT_LT(held.decodedSamples, 80 * 44100);
  EXPECT_EQ(Status(1), "Stopped");
  EXPECT_FALSE(List().GetCheck(1));
  EXPECT_EQ(ToolTip(1), StoppedToolTip(merged, held.decodedSamples / 44100));
  EXPECT_EQ(Status(2), " Ready");
  EXPECT_EQ(ToolTip(2), "");
}

// SIGTERM (the session ending) while a batch runs ends the batch as Stop does: the finished row
// shown, the running one kept as a shorter file, no hidden temporary left. Then the window quits;
// with no batch running, SIGHUP quits it at once.
TEST_F(ConversionCommand, QuitSignalsStopTheBatchThenQuit) {
  Batch().setRowWorkers(1);
  AddThroughDialog({Recording("first.m4a"), Recording("long.m4a", 90.0), Recording("third.m4a")});
  const QuitSignalNotifier quitSignals;
  QObject::connect(&quitSignals, &QuitSignalNotifier::quitRequested, &Window(),
                   &MainWindow::QuitOnSignal);
  QSignalSpy quit(&Window(), &QDialog::finished);
  WhenRowReaches(1, 3, [] { ::raise(SIGTERM); });
  Window().StartConverting();
  EXPECT_EQ(quit.count(), 1);
  EXPECT_EQ(CompletionMessages(), 0u);
  EXPECT_EQ(Status(0), "Completed");
  EXPECT_EQ(Status(1), "Stopped");
  EXPECT_TRUE(ToolTip(1).startsWith("Stopped: " + OutputFolder() + "/long.mp3 holds the first"));
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
  Click(kSetting);
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
  Window().profileBox()->setCurrentIndex(Window().profileBox()->count() - 1);
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
  ASSERT_EQ(ToolTip(0), first);
  const auto outputBytes = QFileInfo(first).size();
  const auto thumbnailBytes = QFileInfo(OutputFolder() + "/clip.THM").size();
  ASSERT_GT(thumbnailBytes, outputBytes + 256);

  List().SetCheck(0, true);
  {
    const testing::FileSizeLimit limit((outputBytes + thumbnailBytes) / 2);
    Window().StartConverting();
  }
  EXPECT_EQ(Status(0), "Completed");
  EXPECT_EQ(ToolTip(0),
            OutputFolder() +
                "/clip(0).MP4\nthumbnail not written: cannot write thumbnail: File too large");
  EXPECT_FALSE(QFileInfo::exists(OutputFolder() + "/clip(0).THM"));
}

// A batch that ends while the user is in another program is told on the desktop too, in the
// box's words; the completed rows' sources are in the Trash, and each row's tool tip says so.
TEST_F(ConversionCommand, TheEndIsToldOnTheDesktopAndCompletedSourcesGoToTheTrash) {
  const testing::HomeTrash trash;
  const QString vanishing = Recording("b.m4a");
  AddThroughDialog({Recording("a.m4a", 3.0), vanishing, Recording("c.m4a")});
  std::remove(vanishing.toStdString().c_str());
  state.outputSettings.trashSources = true;
  // Every look at the clock is a second later: the time left is told from the third on.
  auto now = std::make_shared<BatchTimeLeft::Clock::time_point>();
  Batch().setClock([now] { return *now += std::chrono::seconds(1); });
  QStringList timesLeft;
  QObject::connect(&Batch(), &BatchController::rowPercent, &Batch(), [&] {
    if (Progress().totalBar()->isTextVisible()) timesLeft << Progress().totalBar()->format();
  });
  const QMetaObject::Connection away =
      QObject::connect(&Batch(), &BatchController::rowEnded, &Batch(),
                       [] { QApplication::setActiveWindow(nullptr); });
  Window().StartConverting();

  ASSERT_FALSE(timesLeft.isEmpty());
  EXPECT_TRUE(timesLeft.back().startsWith("About ")) << timesLeft.back().toStdString();
  EXPECT_TRUE(timesLeft.back().endsWith(" left")) << timesLeft.back().toStdString();
  ASSERT_EQ(messages.shown.size(), 1u);
  ASSERT_EQ(notifier.notices.size(), 1u);
  EXPECT_EQ(notifier.notices[0].first, "Varnell");
  EXPECT_EQ(notifier.notices[0].second, messages.shown[0].text);
  for (const char* name : {"a.m4a", "c.m4a"}) {
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(trash.file(name)))) << name;
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(media / name))) << name;
  }
  EXPECT_EQ(ToolTip(0), OutputFolder() + "/a.mp3\nSource moved to the Trash");
  EXPECT_EQ(ToolTip(1), "cannot open source: No such file or directory");

  // Watched to its end: the box alone.
  AddThroughDialog({Recording("d.m4a")});
  QObject::disconnect(away);
  WhenBatchStarts([this] { QApplication::setActiveWindow(&Progress()); });
  Window().StartConverting();
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(notifier.notices.size(), 1u);
}

}  // namespace
}  // namespace varnell

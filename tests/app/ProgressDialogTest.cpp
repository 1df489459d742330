// The progress window on its own: what it shows of what it is told, and how a stop is asked for
// without the window waiting for it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "progress/ProgressDialog.h"

namespace varnell {
namespace {

TEST(ProgressDialogTest, LabelsAndBarsFollowWhatTheyAreTold) {
  ProgressDialog dialog;
  ProgressDialog::Progress progress;
  progress.sourcePath = "/music/song.m4a";
  progress.filePercent = 45;
  progress.completedTasks = 1;
  progress.taskCount = 3;
  dialog.ShowProgress(progress);
  EXPECT_EQ(dialog.currentFileLabel()->text(), "song.m4a   45% has completed");
  EXPECT_EQ(dialog.currentFileBar()->value(), 45);
  EXPECT_EQ(dialog.totalBar()->value(), 33);
  EXPECT_EQ(dialog.totalLabel()->text(), "1 Task Completed / Total 3 Task(s)");

  progress.filePercent = -1;  // the next row opens: the file's label and bar stay
  progress.sourcePath = "next.m4a";
  progress.completedTasks = 2;
  dialog.ShowProgress(progress);
  EXPECT_EQ(dialog.currentFileLabel()->text(), "song.m4a   45% has completed");
  EXPECT_EQ(dialog.currentFileBar()->value(), 45);
  EXPECT_EQ(dialog.totalBar()->value(), 66);

  progress.filePercent = 7;        // a path without "/" is shown whole
  progress.convertingTasks = 0.5;  // the rows being converted move the total bar, not its label
  dialog.ShowProgress(progress);
  EXPECT_EQ(dialog.currentFileLabel()->text(), "next.m4a   7% has completed");
  EXPECT_EQ(dialog.totalBar()->value(), 83);
  EXPECT_EQ(dialog.totalLabel()->text(), "2 Task Completed / Total 3 Task(s)");
  progress.convertingTasks = 0.0;

  progress.sourcePath.clear();  // past the last row: only the total changes
  progress.filePercent = 100;
  progress.completedTasks = 3;
  dialog.ShowProgress(progress);
  EXPECT_EQ(dialog.currentFileLabel()->text(), "next.m4a   7% has completed");
  EXPECT_EQ(dialog.totalLabel()->text(), "3 Task Completed / Total 3 Task(s)");
  EXPECT_EQ(dialog.stopButton()->toolTip(), "Stop converting");
}

TEST(ProgressDialogTest, ScreenReadersTellTheTwoBarsApart) {
  ProgressDialog dialog;
  const auto name = [](QWidget* bar) {
    return QAccessible::queryAccessibleInterface(bar)->text(QAccessible::Name);
  };
  EXPECT_EQ(name(dialog.currentFileBar()), "Current file's progress");
  EXPECT_EQ(name(dialog.totalBar()), "Total progress");
}

// The progress window opens in the middle of the main window (the message boxes too, tested with
// them).
TEST(ProgressDialogTest, OpensCentredOnTheMainWindow) {
  QWidget window;
  window.setGeometry(40, 60, 880, 537);
  window.show();
  ProgressDialog dialog(&window);
  dialog.show();
  EXPECT_EQ(dialog.frameGeometry().center(), window.frameGeometry().center());
}

// Stop and the close box ask once per run and leave the window up; only the end of the run
// closes it. The next run asks again.
TEST(ProgressDialogTest, AStopIsAskedForOnceAndTheWindowStaysUntilTheRunEnds) {
  ProgressDialog dialog;
  QSignalSpy stops(&dialog, &ProgressDialog::stopRequested);
  int runs = 0;
  const auto duringRun = [&] {
    QTest::mouseClick(dialog.stopButton(), Qt::LeftButton);
    dialog.close();
    QTest::mouseClick(dialog.stopButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    ++runs;
    dialog.EndRun();
  };
  QTimer::singleShot(0, &dialog, duringRun);
  dialog.exec();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(stops.count(), 1);
  EXPECT_FALSE(dialog.isVisible());

  QTimer::singleShot(0, &dialog, duringRun);
  dialog.exec();
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(stops.count(), 2);
}

}  // namespace
}  // namespace varnell

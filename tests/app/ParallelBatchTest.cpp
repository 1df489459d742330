// A batch the engine converts two rows at a time, driven through the main window: rows finish
// out of order, yet the window learns of their outcomes in row order only, and shows the first
// row that has not ended with its percent, so every status, check mark, tool tip and output name
// must come out as one row after another would give them.
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <map>

#include "MainWindowFixture.h"

namespace varnell {
namespace {

using namespace main_window;
using testing::MainWindowTest;

class ParallelBatch : public MainWindowTest {
 protected:
  ParallelBatch() {
    Window().outputFolderBox()->setEditText(OutputFolder());
    Batch().setRowWorkers(2);
  }
  QString OutputFolder() const { return QString::fromStdString(output.path().string()); }
  QString Status(int row) { return List().GetItemText(row, TaskListView::kStatus); }
  QString ToolTip(int row) { return List().item(row, TaskListView::kStatus)->toolTip(); }
  QString RecordingIn(const QString& folder, const std::string& name, double seconds) {
    QDir(QString::fromStdString(media.path().string())).mkpath(folder);
    return Recording((folder + "/").toStdString() + name, seconds);
  }
  ProgressDialog& Progress() { return Batch().progressDialog(); }

  // As the window shows row `ended`'s outcome: every row before it has its outcome, and every
  // row after it still shows " Ready" with its check mark. Returns false at the first breach.
  bool ShowsOnlyRowsUpTo(int ended) {
    for (int row = 0; row < List().GetItemCount(); ++row) {
      if (row <= ended) {
        EXPECT_EQ(Status(row), "Completed")
            << "row " << row << " not shown when row " << ended << " was";
        if (Status(row) != "Completed") return false;
        continue;
      }
      EXPECT_EQ(Status(row), " Ready") << "row " << row << " shown final before row " << ended;
      EXPECT_TRUE(List().GetCheck(row)) << "row " << row << " lost its check mark early";
      if (Status(row) != " Ready" || !List().GetCheck(row)) return false;
    }
    return true;
  }

  testing::TempFolder output;
};

TEST_F(ParallelBatch, RowsFinishingOutOfOrderAreShownInRowOrderUnderTheirOwnNames) {
  // The long first row and the short second one share a name, so the second would take
  // song.mp3 if names went to whichever row finished first.
  AddThroughDialog({RecordingIn("a", "song.m4a", 30.0), RecordingIn("b", "song.m4a", 1.5),
                    Recording("c.m4a"), Recording("d.m4a")});
  ASSERT_EQ(List().GetItemCount(), 4);
  bool breached = false;
  bool ranTogether = false;  // a later row started before the first one ended
  int firstOpen = 0;         // the first row without an outcome, as the window's signals say
  std::map<int, int> percents;
  QObject::connect(&Batch(), &BatchController::rowStarted,
                   [&](int row) { ranTogether = ranTogether || (firstOpen == 0 && row > 0); });
  QObject::connect(&Batch(), &BatchController::rowPercent, [&](int row, int percent) {
    percents[row] = percent;
    // The progress window shows the row the batch waits for, whichever row moved.
    if (percents.count(firstOpen) == 0) return;
    const QString name =
        QFileInfo(List().GetItemText(firstOpen, TaskListView::kSourceFile)).fileName();
    EXPECT_EQ(Progress().currentFileLabel()->text(),
              QString("%1   %2% has completed").arg(name).arg(percents[firstOpen]))
        << "after row " << row << " reached " << percent;
  });
  QObject::connect(&Batch(), &BatchController::rowEnded, [&](int row) {
    EXPECT_EQ(row, firstOpen) << "outcomes out of row order";
    firstOpen = row + 1;
    if (!breached) breached = !ShowsOnlyRowsUpTo(row);
  });
  QTest::mouseClick(Window().button(kConvert), Qt::LeftButton);
  EXPECT_FALSE(breached);
  EXPECT_TRUE(ranTogether);
  EXPECT_EQ(firstOpen, 4);

  const QString names[] = {"song.mp3", "song(0).mp3", "c.mp3", "d.mp3"};
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(Status(row), "Completed") << row;
    EXPECT_FALSE(List().GetCheck(row)) << row;
    EXPECT_EQ(ToolTip(row), OutputFolder() + "/" + names[row]) << row;
  }
  EXPECT_EQ(QDir(OutputFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
            QStringList({"c.mp3", "d.mp3", "song(0).mp3", "song.mp3"}));
  // Each name holds its own row's sound: the 30-second row is song.mp3.
  const auto first = testing::Inspect((OutputFolder() + "/song.mp3").toStdString());
  const auto second = testing::Inspect((OutputFolder() + "/song(0).mp3").toStdString());
  EXPECT_NEAR(first.decodedSamples, 30.0 * 44100, 0.01 * 44100);
  EXPECT_NEAR(second.decodedSamples, 1.5 * 44100, 0.01 * 44100);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.startsWith("Convertion Successfully!"));
}

TEST_F(ParallelBatch, StopWithTwoRowsRunningKeepsTwoShorterFilesAndLeavesTheRestPending) {
  AddThroughDialog(
      {Recording("one.m4a", 90.0), Recording("two.m4a", 90.0), Recording("three.m4a")});
  bool stopped = false;
  std::map<int, int> percents;
  QObject::connect(&Batch(), &BatchController::rowPercent, [&](int row, int percent) {
    percents[row] = percent;
    if (stopped || percents[0] < 3 || percents[1] < 3) return;
    stopped = true;
    QTest::mouseClick(Progress().stopButton(), Qt::LeftButton);
  });
  QTest::mouseClick(Window().button(kConvert), Qt::LeftButton);
  ASSERT_TRUE(stopped);
  EXPECT_TRUE(messages.shown.empty());
  const QString stoppedNames[] = {"one.mp3", "two.mp3"};
  for (int row = 0; row < 2; ++row) {
    const QString path = OutputFolder() + "/" + stoppedNames[row];
    const auto held = testing::Inspect(path.toStdString());
    EXPECT_GT(held.decodedSamples, 0) << row;
    EXPECT_LT(held.decodedSamples, 80 * 44100) << row;
    EXPECT_EQ(held.decodeErrors, 0) << row;
    const long long seconds = held.decodedSamples / 44100;
    EXPECT_EQ(Status(row), "Stopped") << row;
    EXPECT_FALSE(List().GetCheck(row)) << row;
    EXPECT_EQ(ToolTip(row), QString("Stopped: %1 holds the first %2:%3")
                                .arg(path)
                                .arg(seconds / 60)
                                .arg(seconds % 60, 2, 10, QChar('0')));
  }
  // The row no thread had taken: untouched, and no file of it.
  EXPECT_EQ(Status(2), " Ready");
  EXPECT_TRUE(List().GetCheck(2));
  EXPECT_EQ(ToolTip(2), "");
  EXPECT_EQ(QDir(OutputFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
            QStringList({"one.mp3", "two.mp3"}));
}

}  // namespace
}  // namespace varnell

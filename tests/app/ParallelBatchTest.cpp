// A batch the engine converts two rows at a time, driven through the main window: rows finish
// out of order, yet the window learns of them in row order only (the first unfinished row and
// its percent), so every status, check mark, tool tip and output name must come out as one row
// after another would give them.
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <functional>

#include "MainWindowFixture.h"

namespace varnell {
namespace {

using namespace main_window;
using testing::MainWindowTest;

class ParallelBatch : public MainWindowTest {
 protected:
  ParallelBatch() {
    Window().outputFolderBox()->setEditText(OutputFolder());
    state.Engine().rowWorkers = 2;
  }
  QString OutputFolder() const { return QString::fromStdString(output.path().string()); }
  QString Status(int row) { return List().GetItemText(row, TaskListView::kStatus); }
  QString ToolTip(int row) { return List().item(row, TaskListView::kStatus)->toolTip(); }
  QString RecordingIn(const QString& folder, const std::string& name, double seconds) {
    QDir(QString::fromStdString(media.path().string())).mkpath(folder);
    return Recording((folder + "/").toStdString() + name, seconds);
  }

  // Clicks Start converting and runs `poll` on the user-interface thread every couple of
  // milliseconds while the batch runs: between the window's own progress ticks, during them
  // (the stop's wait keeps events flowing) and after them.
  void ConvertPolling(const std::function<void()>& poll) {
    QTimer timer;
    timer.setInterval(2);
    QObject::connect(&timer, &QTimer::timeout, poll);
    timer.start();
    QTest::mouseClick(Window().button(kConvert), Qt::LeftButton);
  }

  // What a row may show while the engine has not passed it: its " Ready" text and check mark.
  // A row the engine has passed must have its final status. Returns false at the first breach.
  bool ShowsOnlyFinalRows() {
    const AVConvert& engine = *state.engine;
    const int passed = engine.currentTaskIndex.load();
    for (int row = 0; row < List().GetItemCount(); ++row) {
      if (row < passed) {
        const std::uint8_t status = engine.taskStatus(row);
        EXPECT_TRUE(status == kTaskCompleted || status == kTaskFailed)
            << "the engine passed row " << row << " before its result was final";
        if (status != kTaskCompleted && status != kTaskFailed) return false;
        continue;
      }
      EXPECT_EQ(Status(row), " Ready") << "row " << row << " shown final before the engine passed it";
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
  bool ranTogether = false;  // the first row and a later one converting at once
  ConvertPolling([&] {
    const AVConvert& engine = *state.engine;
    ranTogether = ranTogether || (engine.rowRunning(0) && (engine.rowRunning(1) || engine.rowRunning(2) ||
                                                           engine.rowRunning(3)));
    if (!breached) breached = !ShowsOnlyFinalRows();
  });
  EXPECT_FALSE(breached);
  EXPECT_TRUE(ranTogether);

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
  AddThroughDialog({Recording("one.m4a", 90.0), Recording("two.m4a", 90.0), Recording("three.m4a")});
  bool stopped = false;
  ConvertPolling([&] {
    const AVConvert& engine = *state.engine;
    if (stopped || engine.rowPercent(0) < 3 || engine.rowPercent(1) < 3) return;
    stopped = true;
    QTest::mouseClick(Window().progressDialog().stopButton(), Qt::LeftButton);
  });
  ASSERT_TRUE(stopped);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(state.engine->IsWorkerRunning());
  const QString stoppedNames[] = {"one.mp3", "two.mp3"};
  for (int row = 0; row < 2; ++row) {
    const QString path = OutputFolder() + "/" + stoppedNames[row];
    const auto held = testing::Inspect(path.toStdString());
    EXPECT_GT(held.decodedSamples, 0) << row;
    EXPECT_LT(held.decodedSamples, 80 * 44100) << row;
    EXPECT_EQ(held.decodeErrors, 0) << row;
    const long long seconds = held.decodedSamples / 44100;
    EXPECT_EQ(Status(row), " Ready") << row;
    EXPECT_TRUE(List().GetCheck(row)) << row;
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

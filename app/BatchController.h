// The main window's batches: the launch from the task list's rows, the progress window while a
// batch runs, each row's outcome in the Status column (text, tool tip, check mark) as it
// arrives, the batch's time left, and what follows a batch: the completed rows' sources to the
// Trash when the settings ask for it, and for a batch that ran to its end the completion message
// (also as a desktop notice when the window was not the active one) and the power-off the user
// asked for.
//
// Threads. Everything here belongs to the user-interface thread. The engine's threads reach it
// only through the relay, which posts every report to this object's thread; the reports are
// handled there in the order the engine made them, and a report still queued when this object
// is destroyed is dropped with it.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/PowerOffCountdown.h"
#include "app/TaskListView.h"
#include "engine/BatchSession.h"
#include "engine/BatchTimeLeft.h"
#include "platform/Platform.h"
#include "progress/ProgressDialog.h"
#include "settings/OutputSettings.h"

namespace varnell {

// The list's rows as a batch reads them, in the list's order; a chapter row's exact range
// stands in for its start and end texts.
std::vector<TaskRow> TaskRowsOf(const TaskListView& list);

class BatchController : public QObject {
  Q_OBJECT
 public:
  // The list's rows are the batch's rows; the window is the parent of the progress window and
  // of the boxes.
  BatchController(const Platform& platform, TaskListView& list, QWidget& window);
  // Stops and waits for a running batch.
  ~BatchController() override;

  void setRowWorkers(int workers) { session_.setRowWorkers(workers); }

  // Makes the launch's checks (a refusal is said in a box), then converts the checked rows into
  // `typedFolder` (trimmed; it must be an absolute path) with the format's extension, showing
  // the progress window until the batch has ended. Returns after the completion message of a
  // batch that ran to its end, or, when the power-off was asked for, after its countdown and the
  // power-off request (the countdown's Cancel brings the completion message instead); a stopped
  // batch gets neither.
  void Launch(JobKind kind, const QString& typedFolder, const QString& profileLabel,
              const OutputSettings& settings);
  // Asks the running batch to stop; it ends in its own time and closes the progress window then.
  void Stop();
  // A quit signal during a batch: it is stopped, and quitAfterBatch follows once it has ended
  // and its rows are up to date. False when no batch runs.
  bool StopToQuit();

  bool running() const { return running_; }
  bool shutDownFlag() const { return shutDownFlag_; }
  int completedRows() const { return completedRows_; }
  ProgressDialog& progressDialog() { return progress_; }
  PowerOffCountdown& powerOffCountdown() { return powerOffCountdown_; }
  // The clock the time left is measured on, and the interval it is redrawn at between reports;
  // tests give their own.
  void setClock(std::function<BatchTimeLeft::Clock::time_point()> clock) {
    clock_ = std::move(clock);
  }
  QTimer& timeLeftTimer() { return timeLeftTimer_; }

 signals:
  // The batch was accepted and starts now.
  void outputFolderAccepted(const QString& folder);
  void quitAfterBatch();
  // The engine's reports, once the window shows them.
  void rowStarted(int row);
  void rowPercent(int row, int percent);
  void rowEnded(int row);
  void batchEnded();

 private:
  class Relay;

  // Runs the reports the relay has gathered; queued to this object's thread by the relay.
  Q_INVOKABLE void DeliverReports();

  void ShowRefusal(LaunchRefusal refusal);
  void ShowMessage(const QString& text);
  void ShowCompletionMessage();
  // The countdown before the power-off the user asked for; true when it ran out (the power-off
  // was asked for, and a refusal said in a box), false on Cancel.
  bool PowerOffAfterCountdown();
  // The end-of-batch box, told on the desktop first when the user was elsewhere.
  MessageChoice ShowEndMessage(const QString& text, MessageButtons buttons);
  void ShowProgress();
  void TrashSources(JobKind kind, const std::vector<std::string>& sources);

  void OnRowStarted(int row);
  void OnRowPercent(int row, int percent);
  // Marks a row ended or passed, its percent no longer part of the running rows'.
  void LeaveRunningRows(int row);
  void OnRowPassed(int row);
  void OnRowEnded(int row, const RowOutcome& outcome);
  void OnBatchEnded(const BatchOutcome& outcome);

  const Platform& platform_;
  TaskListView& list_;
  QWidget& window_;
  ProgressDialog progress_;
  PowerOffCountdown powerOffCountdown_;

  // The running or last batch, as the reports have shown it.
  std::vector<int> percents_;   // per row; -1 until it converts
  std::vector<bool> rowsPast_;  // ended, or passed by the merge
  int runningPercents_ = 0;     // the sum of the percents of the rows neither ended nor passed
  int shownRow_ = 0;            // the first row neither ended nor passed
  int checkedRows_ = 0;
  int completedRows_ = 0;
  int failedRows_ = 0;
  int skippedRows_ = 0;
  int mergedRows_ = 0;  // passed by the merge, outcome not in yet
  bool running_ = false;
  bool merging_ = false;
  bool stopAsked_ = false;
  bool ranToTheEnd_ = false;
  bool quitAfterBatch_ = false;
  bool shutDownFlag_ = false;
  bool endedWhileAway_ = false;  // neither the window nor the progress window was active
  std::function<BatchTimeLeft::Clock::time_point()> clock_ = &BatchTimeLeft::Clock::now;
  std::optional<BatchTimeLeft> timeLeft_;
  QTimer timeLeftTimer_;

  // Declared last: the session is destroyed first, and joins its threads while the relay they
  // call is still there.
  std::unique_ptr<Relay> relay_;
  BatchSession session_;
};

}  // namespace varnell

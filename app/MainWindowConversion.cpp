// Converting the checked rows, each into its own file or all into one: the launch's checks, the
// job handed to the engine, the progress tick and the completion scan that turns the worker's
// statuses into the Status column.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "app/MainWindow.h"
#include "app/MainWindowTemplate.h"
#include "app/ProjectLinks.h"
#include "engine/ConversionJob.h"

namespace varnell {

using namespace main_window;

namespace {
const char* const kCompletedStatus = "Completed";
const char* const kFailureStatus = "Failure";

// "1:05": whole minutes and seconds, cut down, for the length a stopped file holds.
QString MinutesAndSeconds(double seconds) {
  const long long whole = static_cast<long long>(seconds);
  return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

QString Files(int count) { return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? "file" : "files"); }
}  // namespace

void MainWindow::StartConverting() { Launch(JobKind::ConvertFiles); }

void MainWindow::MergeFiles() { Launch(JobKind::MergeFiles); }

// The two commands differ only where a merge needs more: two checked rows, a folder it may
// create, and the merge worker.
void MainWindow::Launch(JobKind kind) {
  StopPreview();
  const QString folder = outputFolder_->currentText();
  const int rows = taskList_->GetItemCount();
  if (rows == 0) {
    ShowMessage("Please add video files!");
    return;
  }
  rowMap_.assign(rows, -1);
  lastCheckedRow_ = -1;
  std::vector<TaskRow> taskRows(rows);
  for (int row = 0; row < rows; ++row) {
    TaskRow& task = taskRows[row];
    task.checked = taskList_->GetCheck(row);
    task.sourcePath = taskList_->GetItemText(row, TaskListView::kSourceFile).toStdString();
    task.startTime = taskList_->GetItemText(row, TaskListView::kStartTime).toStdString();
    task.endTime = taskList_->GetItemText(row, TaskListView::kEndTime).toStdString();
    task.durationSeconds = taskList_->GetItemText(row, TaskListView::kDuration).toStdString();
    if (task.checked) lastCheckedRow_ = row;
  }
  const auto checkedRows = std::count_if(taskRows.begin(), taskRows.end(),
                                         [](const TaskRow& task) { return task.checked; });
  if (kind == JobKind::MergeFiles && checkedRows < 2) {
    ShowMessage("Merge is effective when two or more files are chosen!");
    return;
  }
  if (checkedRows == 0) {
    ShowMessage("Please select at least one task to convert!");
    return;
  }
  if (folder == "/") return;
  if (kind == JobKind::MergeFiles && !QFileInfo(folder).isDir()) QDir().mkpath(folder);
  if (!QFileInfo(folder).isDir()) {
    ShowMessage("The folder that you selected does not exit.Please specify a different folder!");
    return;
  }
  acceptedFolder_ = folder;
  currentOutputFolder_ = folder;
  store_.WriteOutputFolder(folder);

  AVConvert& engine = state_.Engine();
  completedTaskCount_ = 0;
  batchFinished_ = false;
  jobKind_ = kind;
  rowMap_ = BuildConversionJob(engine, taskRows, acceptedFolder_.toStdString(),
                               profile_->currentText().toStdString(), state_.outputSettings, kind);
  // A row converted again says nothing of its last batch until this one has its result: a row
  // this batch stops, or never reaches, would otherwise still read "Completed".
  for (int row = 0; row < rows; ++row) {
    if (!taskRows[row].checked) continue;
    taskList_->SetItemText(row, TaskListView::kStatus, kReadyStatus);
    taskList_->SetItemToolTip(row, TaskListView::kStatus, QString());
  }
  engine.currentFilePercent = 0;
  // The last row's result is shown as soon as the worker ends, not up to a tick later. A call
  // that arrives after its batch (the window closed the batch by a Stop meanwhile) finds the
  // timer stopped and does nothing.
  engine.onWorkerEnding = [this] {
    QMetaObject::invokeMethod(
        this, [this] { if (progressTimer_.isActive()) ProgressTick(); }, Qt::QueuedConnection);
  };
  if (kind == JobKind::MergeFiles) {
    engine.StartMergeFiles();
  } else {
    engine.StartConvertFiles();
  }
  progressTimer_.start();

  // A box that opens clear never powers off: the flag starts clear with every batch.
  shutDownFlag_ = false;
  progressDialog_.SetEngine(&engine);
  progressDialog_.exec();

  // The window is closed and the worker joined. Rows that ended after the last tick are brought
  // up to date, so that a stopped batch shows what it did finish; only a batch that ran to its
  // end gets the completion message.
  progressTimer_.stop();
  CompletionScan();
  if (quitAfterBatch_) {
    CloseProgram();
    return;
  }
  if (!batchFinished_) return;
  ShowCompletionMessage();
  if (shutDownFlag_) ShutDownComputer();
}

// Success is announced only when every converted row completed; a batch with failures says how
// many, and where the reasons are.
void MainWindow::ShowCompletionMessage() {
  if (failedTaskCount_ > 0) {
    platform_.messages.Show(QStringLiteral("%1 converted, %2 failed. Point at a Failure to see why.")
                                .arg(Files(completedTaskCount_))
                                .arg(failedTaskCount_),
                            "Information", MessageButtons::Ok, this);
    return;
  }
  const MessageChoice choice =
      platform_.messages.Show("Convertion Successfully!For more software, please visit our website",
                              "Information", MessageButtons::OkCancel, this);
  if (choice == MessageChoice::Ok) Open(kHomePageUrl, OpenTarget::Page);
}

void MainWindow::ProgressTick() {
  AVConvert& engine = state_.Engine();
  const int taskIndex = engine.currentTaskIndex.load();
  ProgressDialog::TickValues values;
  values.sourcePath = taskList_->GetItemText(taskIndex, TaskListView::kSourceFile);
  values.filePercent = engine.currentFilePercent.load();
  values.taskIndex = taskIndex;
  values.itemCount = taskList_->GetItemCount();
  values.completedTasks = completedTaskCount_;
  values.taskCount = engine.taskCount;
  progressDialog_.ShowTick(values);
  if (engine.stopFlag.load()) {
    progressTimer_.stop();
    progressDialog_.StopSequence();
    return;
  }
  if (CompletionScan()) {
    batchFinished_ = true;
    progressDialog_.StopSequence();
  }
}

// Where a row's sound went. A merge names its one output only when it is done: the worker
// writes that name last, so it is read once the worker has ended.
QString MainWindow::OutputOfTask(int task) const {
  const AVConvert& engine = state_.Engine();
  if (jobKind_ == JobKind::ConvertFiles) return QString::fromStdString(engine.outputPaths[task]);
  return engine.IsWorkerRunning() ? QString() : QString::fromStdString(engine.mergedOutputPath);
}

// Rows below the current task index are finished or abandoned; their statuses become texts.
// Unchecked rows map to -1, which the list ignores. True once the worker has passed the last row.
bool MainWindow::CompletionScan() {
  const AVConvert& engine = state_.Engine();
  const int finished = std::min<int>(engine.currentTaskIndex.load(), static_cast<int>(rowMap_.size()));
  int completed = 0;
  int failed = 0;
  for (int task = 0; task < finished; ++task) {
    const int row = rowMap_[task];
    if (row < 0) continue;  // an unchecked row: not part of the batch
    switch (engine.taskStatus(task)) {
      case kTaskFailed:
        ++failed;
        taskList_->SetItemText(row, TaskListView::kStatus, kFailureStatus);
        taskList_->SetItemToolTip(row, TaskListView::kStatus,
                                  QString::fromStdString(engine.failureReason(task)));
        // A merged row whose output was lost afterwards had its check mark cleared: a failed
        // row keeps it, to be converted again.
        taskList_->SetCheck(row, true);
        break;
      case kTaskCompleted:
        ++completed;
        taskList_->SetItemText(row, TaskListView::kStatus, kCompletedStatus);
        // The output, then what went wrong without failing the row (a side file not written).
        taskList_->SetItemToolTip(row, TaskListView::kStatus,
                                  engine.failureReason(task).empty()
                                      ? OutputOfTask(task)
                                      : OutputOfTask(task) + "\n" +
                                            QString::fromStdString(engine.failureReason(task)));
        taskList_->SetCheck(row, false);
        break;
      default:
        // A row the stop ended keeps its text and check mark (converting again starts it over),
        // and says where its shorter file is.
        if (engine.secondsWritten(task) > 0.0) {
          taskList_->SetItemToolTip(row, TaskListView::kStatus,
                                    QStringLiteral("Stopped: %1 holds the first %2")
                                        .arg(OutputOfTask(task),
                                             MinutesAndSeconds(engine.secondsWritten(task))));
        }
        break;
    }
  }
  completedTaskCount_ = completed;
  failedTaskCount_ = failed;
  return taskList_->GetItemCount() == engine.currentTaskIndex.load();
}

void MainWindow::QuitOnSignal() {
  if (progressDialog_.isVisible()) {
    quitAfterBatch_ = true;  // Launch quits once the stop has brought the rows up to date
    progressDialog_.StopSequence();
    return;
  }
  // A box or dialog open over the window (the completion message, the clip editor, Settings)
  // is closed as its Cancel would close it; otherwise its own event loop would keep the program
  // running behind it after the window is gone.
  constexpr int kMostNestedDialogs = 16;
  for (int nested = 0; nested < kMostNestedDialogs; ++nested) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == this) break;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
  }
  CloseProgram();
}

bool MainWindow::ShutDownComputer() { return platform_.powerOff.PowerOffComputer(); }

}  // namespace varnell

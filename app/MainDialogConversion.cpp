// Converting the checked rows: the launch's checks, the job handed to the engine, the progress
// tick and the completion scan that turns the worker's statuses into the Status column.
#include <QFileInfo>

#include "app/COstrelAVConverterDlg.h"
#include "app/MainDialogTemplate.h"
#include "app/ProjectLinks.h"
#include "engine/ConversionJob.h"

namespace varnell {

using namespace main_dialog;

namespace {
const char* const kCompletedStatus = "Completed";
const char* const kFailureStatus = "Failure";
}  // namespace

void COstrelAVConverterDlg::StartConverting() {
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
    task.sourcePath = taskList_->GetItemText(row, CCheckListCtrl::kSourceFile).toStdString();
    task.startTime = taskList_->GetItemText(row, CCheckListCtrl::kStartTime).toStdString();
    task.endTime = taskList_->GetItemText(row, CCheckListCtrl::kEndTime).toStdString();
    task.durationSeconds = taskList_->GetItemText(row, CCheckListCtrl::kDuration).toStdString();
    if (task.checked) lastCheckedRow_ = row;
  }
  if (lastCheckedRow_ < 0) {
    ShowMessage("Please select at least one task to convert!");
    return;
  }
  if (folder == "/") return;
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
  rowMap_ = BuildConversionJob(engine, taskRows, acceptedFolder_.toStdString(),
                               profile_->currentText().toStdString(), state_.outputSettings);
  engine.currentFilePercent = 0;
  engine.StartConvertFiles();
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
  if (!batchFinished_) return;
  const MessageChoice choice =
      platform_.messages.Show("Convertion Successfully!For more software, please visit our website",
                              "Information", MessageButtons::OkCancel, this);
  if (choice == MessageChoice::Ok) platform_.shell.Open(kHomePageUrl);
  if (shutDownFlag_) ShutDownComputer();
}

void COstrelAVConverterDlg::ProgressTick() {
  AVConvert& engine = state_.Engine();
  const int taskIndex = engine.currentTaskIndex.load();
  CAVConvertDlg::TickValues values;
  values.sourcePath = taskList_->GetItemText(taskIndex, CCheckListCtrl::kSourceFile);
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

// Rows below the current task index are finished or abandoned; their statuses become texts.
// Unchecked rows map to -1, which the list ignores. True once the worker has passed the last row.
bool COstrelAVConverterDlg::CompletionScan() {
  const AVConvert& engine = state_.Engine();
  const int finished = std::min<int>(engine.currentTaskIndex.load(), static_cast<int>(rowMap_.size()));
  int completed = 0;
  for (int task = 0; task < finished; ++task) {
    const int row = rowMap_[task];
    switch (engine.taskStatus(task)) {
      case kTaskFailed:
        taskList_->SetItemText(row, CCheckListCtrl::kStatus, kFailureStatus);
        taskList_->SetItemToolTip(row, CCheckListCtrl::kStatus,
                                  QString::fromStdString(engine.failureReason(task)));
        break;
      case kTaskCompleted:
        ++completed;
        taskList_->SetItemText(row, CCheckListCtrl::kStatus, kCompletedStatus);
        taskList_->SetItemToolTip(row, CCheckListCtrl::kStatus,
                                  QString::fromStdString(engine.outputPaths[task]));
        taskList_->SetCheck(row, false);
        break;
      default:
        break;
    }
  }
  completedTaskCount_ = completed;
  return taskList_->GetItemCount() == engine.currentTaskIndex.load();
}

bool COstrelAVConverterDlg::ShutDownComputer() { return platform_.powerOff.PowerOffComputer(); }

}  // namespace varnell

// The main window's task list commands: adding files through the file dialog or by dropping
// them, removing and clearing rows, the probe of the selected row and the list's context menu.
#include <QCoreApplication>
#include <QFileInfo>
#include <QScopedValueRollback>

#include "app/MainWindow.h"
#include "app/MainWindowTemplate.h"
#include "engine/ClipTime.h"
#include "engine/MediaInformation.h"

namespace varnell {

using namespace main_window;

namespace {
const char* const kOpenFileFilter =
    "MPEG-4 Audio(*.m4a)|*.m4a|Advanced Audio Coding(*.aac)|*.aac|All files (*.*)|*.*|";

// The probe of a file the window takes: one that opens and says how long it is.
std::optional<ProbeResult> ProbeConvertible(const QString& path) {
  ProbeResult probe = ProbeSource(path.toStdString());
  if (!probe.convertible()) return std::nullopt;
  return probe;
}
}  // namespace

// The file dialog delivers "//" where a folder meets a file in some cases; a single "/" is kept.
QString MainWindow::CleanPath(const QString& path) {
  QString cleaned = path;
  if (!cleaned.isEmpty() && cleaned.indexOf('/', 1) > 0) {
    while (cleaned.contains("//")) cleaned.replace("//", "/");
  }
  return cleaned;
}

// Fills a new row from the probe that was just made of `path`.
void MainWindow::InsertProbedRow(int row, const QString& path, const ProbeResult& probe,
                                 bool fromFileDialog) {
  taskList_->DeselectRow(0);
  row = taskList_->InsertRow(row, path);
  taskList_->SetItemText(row, TaskListView::kStartTime, QString::fromStdString(FormatClipTime(0)));
  taskList_->SetItemText(row, TaskListView::kEndTime,
                         QString::fromStdString(FormatClipTime(probe.durationSeconds)));
  if (fromFileDialog) {
    taskList_->SetItemText(row, TaskListView::kOutputFormat, profile_->currentText());
  }
  taskList_->SetItemText(row, TaskListView::kStatus, TaskListView::kReadyStatus);
  taskList_->SetItemText(row, TaskListView::kDuration,
                         QString::number(probe.durationMicroseconds / 1000000));
  if (fromFileDialog) taskList_->SetCheck(row, true);
}

// Probes and inserts the files one by one: the file dialog's at the end in their order, dropped
// ones on top. Between files the window keeps painting, but the user's input waits until the last
// file is in, so a Clear All, Remove, Delete, drop or second Add made meanwhile acts on the whole
// list afterwards. Whatever reaches the list commands by another way while this runs (a posted
// event, the event loop of a message box) finds them refusing: addingFiles_ is set.
void MainWindow::AddProbedFiles(const QStringList& paths, bool fromFileDialog) {
  const QScopedValueRollback<bool> adding(addingFiles_, true);
  for (const QString& candidate : paths) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const QString path = CleanPath(candidate);
    const std::optional<ProbeResult> probe = ProbeConvertible(path);
    if (!probe) {
      ShowMessage("File:" + path.mid(path.lastIndexOf('/') + 1) + " is invalid!");
      continue;
    }
    InsertProbedRow(fromFileDialog ? taskList_->GetItemCount() : 0, path, *probe, fromFileDialog);
  }
}

void MainWindow::AddFiles() {
  if (addingFiles_) return;
  QStringList chosen;
  {
    const QScopedValueRollback<bool> choosing(addingFiles_, true);
    chosen = platform_.fileDialogs.OpenFiles(this, kOpenFileFilter);
  }
  AddChosenFiles(chosen);
}

void MainWindow::AddChosenFiles(const QStringList& paths) {
  if (addingFiles_) return;
  AddProbedFiles(paths, true);
  ProbeSelectedRow();
  UpdateListState();
}

void MainWindow::DropFiles(const QStringList& paths) {
  if (addingFiles_) return;
  AddProbedFiles(paths, false);
  taskList_->clearSelection();
  taskList_->SelectAndFocusRow(0);
  taskList_->setFocus();
  ProbeSelectedRow();
  UpdateListState();
}

void MainWindow::UpdateListState() {
  const int rows = taskList_->GetItemCount();
  if (rows == 0) {
    taskList_->hide();
    for (int id : {kClearAll, kConvert, kSetting, kMerge, kFileInformation}) EnableButton(id, false);
    return;
  }
  taskList_->show();
  for (int id : {kClearAll, kConvert, kClip, kRemove, kFileInformation, kSetting}) {
    EnableButton(id, true);
  }
  EnableButton(kMerge, rows >= 2);
}

void MainWindow::RemoveSelected() {
  if (addingFiles_) return;
  const int row = taskList_->FirstSelectedRow();
  if (row < 0) return;
  taskList_->DeleteItem(row);
  taskList_->viewport()->update();
  const int remaining = taskList_->GetItemCount();
  if (remaining > 0) {
    if (remaining == 1) EnableButton(kMerge, false);
    taskList_->clearSelection();
    taskList_->SelectAndFocusRow(row < remaining ? row : row - 1);
    taskList_->setFocus();
    return;
  }
  taskList_->hide();
  for (int id : {kClip, kConvert, kSetting, kClearAll, kRemove, kMerge, kFileInformation}) {
    EnableButton(id, false);
  }
}

void MainWindow::ClearAll() {
  if (addingFiles_) return;
  taskList_->DeleteAllItems();
  StopPreview();
  taskList_->hide();
  for (int id : {kClearAll, kClip, kRemove, kConvert, kSetting, kMerge, kFileInformation}) {
    EnableButton(id, false);
  }
}

bool MainWindow::ProbeRow(int row) {
  const QString path = taskList_->GetItemText(row, TaskListView::kSourceFile);
  const std::optional<ProbeResult> probe = ProbeConvertible(path);
  if (!probe) return false;
  state_.mediaInformation = DescribeProbedMedia(
      *probe, path.toStdString(), taskList_->GetItemText(row, TaskListView::kEndTime).toStdString());
  return true;
}

bool MainWindow::ProbeSelectedRow() {
  const int row = taskList_->FirstSelectedRow();
  return row >= 0 && ProbeRow(row);
}

void MainWindow::RowClicked() {
  StopPreview();
  const int row = taskList_->FirstSelectedRow();
  if (row < 0) {
    for (int id : {kClip, kRemove, kMerge, kFileInformation}) EnableButton(id, false);
    return;
  }
  if (!ProbeRow(row)) {
    ShowMessage("File:" + taskList_->GetItemText(row, TaskListView::kSourceFile) + " invalid!");
    return;
  }
  for (int id : {kClip, kRemove, kConvert, kFileInformation}) EnableButton(id, true);
  if (row != taskList_->GetItemCount() - 1) EnableButton(kMerge, true);
}

std::unique_ptr<QMenu> MainWindow::BuildContextMenu() {
  auto menu = std::make_unique<QMenu>(this);
  const bool selected = taskList_->FirstSelectedRow() >= 0;
  const auto add = [&menu](const QString& text, int id, bool enabled) {
    QAction* action = menu->addAction(text);
    action->setData(id);
    action->setEnabled(enabled);
  };
  const auto separator = [&menu] { menu->addSeparator()->setData(kMenuSeparator); };
  add("Add Files..", kMenuAddFiles, true);
  separator();
  add("Remove", kMenuRemove, selected);
  add("Clear All", kMenuClearAll, true);
  separator();
  // Without a selection the grayed Clip item carries the File Information id, as it always has.
  add("Clip...", selected ? kMenuClip : kMenuFileInformation, selected);
  separator();
  add("File Information...", kMenuFileInformation, selected);
  return menu;
}

void MainWindow::ContextMenu(const QPoint& globalPosition) {
  if (addingFiles_) return;
  const bool selected = taskList_->FirstSelectedRow() >= 0;
  for (int id : {kConvert, kFileInformation, kClip, kRemove}) {
    if (id != kConvert || selected) EnableButton(id, selected);
  }
  std::unique_ptr<QMenu> menu = BuildContextMenu();
  const QAction* chosen = runMenu(*menu, globalPosition);
  if (chosen != nullptr && chosen->isEnabled()) RunMenuCommand(chosen->data().toInt());
}

void MainWindow::RunMenuCommand(int command) {
  switch (command) {
    case kMenuAddFiles: AddFiles(); break;
    case kMenuRemove: RemoveSelected(); break;
    case kMenuClearAll: ClearAll(); break;
    case kMenuFileInformation: FileInformation(); break;
    case kMenuClip: ClipCommand(); break;
    default: break;
  }
}

}  // namespace varnell

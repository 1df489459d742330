#include "app/TaskListController.h"

#include <QCoreApplication>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <utility>

#include "app/MainWindowTemplate.h"
#include "engine/ChapterRows.h"
#include "engine/ClipTime.h"
#include "engine/MediaInformation.h"
#include "info/FileInfoDialog.h"
#include "library/FolderScan.h"

namespace varnell {

using namespace main_window;

namespace {
const char* const kOpenFileFilter =
    QT_TRANSLATE_NOOP("varnell::TaskListController",
                      "MPEG-4 Audio(*.m4a)|*.m4a|MPEG-4 Audiobook(*.m4b)|*.m4b|MPEG-4(*.mp4)|*.mp4|"
                      "Advanced Audio Coding(*.aac)|*.aac|All files (*.*)|*.*|");

// The probe of a file the window takes: one that opens and says how long it is.
std::optional<ProbeResult> ProbeConvertible(const QString& path) {
  ProbeResult probe = ProbeSource(path.toStdString());
  if (!probe.convertible()) return std::nullopt;
  return probe;
}

// The menu's Split into Chapters: the first selected row is a whole file with chapters to split.
bool SplitsIntoChapters(const TaskListView& list) {
  const int row = list.FirstSelectedRow();
  if (row < 0 || list.GetChapter(row).number > 0) return false;
  const std::optional<ProbeResult> probe =
      ProbeConvertible(list.GetItemText(row, TaskListView::kSourceFile));
  return probe && probe->chapters.size() >= kFewestChaptersToSplit;
}

// The file dialog delivers "//" where a folder meets a file in some cases; a single "/" is kept.
QString CleanPath(const QString& path) {
  QString cleaned = path;
  if (!cleaned.isEmpty() && cleaned.indexOf('/', 1) > 0) {
    while (cleaned.contains("//")) cleaned.replace("//", "/");
  }
  return cleaned;
}
// The folders among paths, to be scanned, and the rest, each in their order.
std::pair<QStringList, QStringList> FilesAndFolders(const QStringList& paths) {
  std::pair<QStringList, QStringList> split;
  for (const QString& path : paths) {
    (IsFolder(path.toStdString()) ? split.second : split.first) << path;
  }
  return split;
}

}  // namespace

TaskListController::TaskListController(ApplicationState& state, const Platform& platform,
                                       TaskListView& list, QComboBox& profile,
                                       MainWindowButtons& buttons, QWidget& window)
    : state_(state),
      platform_(platform),
      list_(list),
      profile_(profile),
      buttons_(buttons),
      window_(window) {
  runMenu = [](QMenu& menu, const QPoint& at) { return menu.exec(at); };
  folderScan_.onFound = [this](const std::vector<ScannedFile>& files) { AddScannedFiles(files); };
  folderScan_.onFinished = [this](const FolderScanCount& count) { FolderScanFinished(count); };
}

// Fills a new row from the probe that was just made of `path`.
void TaskListController::InsertProbedRow(int row, const QString& path, const ProbeResult& probe,
                                         bool fromFileDialog) {
  list_.DeselectRow(0);
  row = list_.InsertRow(row, path);
  list_.SetItemText(row, TaskListView::kStartTime, QString::fromStdString(FormatClipTime(0)));
  list_.SetItemText(row, TaskListView::kEndTime,
                    QString::fromStdString(FormatClipTime(probe.durationSeconds)));
  if (fromFileDialog) {
    list_.SetItemText(row, TaskListView::kOutputFormat, profile_.currentText());
  }
  list_.SetItemText(row, TaskListView::kStatus, TaskListView::tr(TaskListView::kReadyStatus));
  list_.SetItemText(row, TaskListView::kDuration,
                    QString::number(probe.durationMicroseconds / 1000000));
  list_.SetNameTags(row, probe.tags);
  if (fromFileDialog) {
    // A checked row changes the header box only as the list's first row; after that the box
    // stays as it is, and the list is spared its look through every row for a clear one, which
    // made adding a library slow in proportion to the rows already there.
    const QSignalBlocker headerUnchanged(list_.GetItemCount() > 1 ? &list_ : nullptr);
    list_.SetCheck(row, true);
  }
}

// Probes and inserts the files one by one: the file dialog's at the end in their order, dropped
// ones on top. Between files the window keeps painting, but the user's input waits until the last
// file is in, so a Clear All, Remove, Delete, drop or second Add made meanwhile acts on the whole
// list afterwards. Whatever reaches the list commands by another way while this runs (a posted
// event, the event loop of a message box) finds them refusing: addingFiles_ is set.
void TaskListController::AddProbedFiles(const QStringList& paths, bool fromFileDialog) {
  const QScopedValueRollback<bool> adding(addingFiles_, true);
  for (const QString& candidate : paths) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const QString path = CleanPath(candidate);
    const ProbeResult probe = ProbeSource(path.toStdString());
    if (!probe.convertible()) {
      // The probe's reason on a line of its own: "cannot open source: Invalid data found ...".
      ShowMessage(tr("File:%1 is invalid!").arg(path.mid(path.lastIndexOf('/') + 1)) + "\n" +
                  QString::fromStdString(probe.unconvertibleReason()));
      continue;
    }
    InsertProbedRow(fromFileDialog ? list_.GetItemCount() : 0, path, probe, fromFileDialog);
  }
}

void TaskListController::AddFiles() {
  if (addingFiles()) return;
  QStringList chosen;
  {
    const QScopedValueRollback<bool> choosing(addingFiles_, true);
    chosen = platform_.fileDialogs.OpenFiles(&window_, tr(kOpenFileFilter));
  }
  AddChosenFiles(chosen);
}

void TaskListController::AddChosenFiles(const QStringList& chosen) {
  if (addingFiles()) return;
  const auto [paths, folders] = FilesAndFolders(chosen);
  AddProbedFiles(paths, true);
  ProbeSelectedRow();
  UpdateListState();
  AddFolders(folders);
}

void TaskListController::DropFiles(const QStringList& dropped) {
  if (addingFiles()) return;
  const auto [paths, folders] = FilesAndFolders(dropped);
  if (!paths.isEmpty()) {
    AddProbedFiles(paths, false);
    list_.clearSelection();
    list_.SelectAndFocusRow(0);
    list_.setFocus();
    ProbeSelectedRow();
    UpdateListState();
  }
  AddFolders(folders);
}

void TaskListController::AddFolder() {
  if (addingFiles()) return;
  std::optional<QString> chosen;
  {
    const QScopedValueRollback<bool> choosing(addingFiles_, true);
    chosen = platform_.fileDialogs.BrowseFolder(&window_, tr("Please select a folder to add:"));
  }
  if (chosen && !chosen->isEmpty()) AddFolders({*chosen});
}

void TaskListController::AddFolders(const QStringList& folders) {
  if (addingFiles() || folders.isEmpty()) return;
  scanFound_ = 0;
  scanUnconvertible_ = 0;
  // Non-modal: the window goes on answering and painting the rows as they come. Its Cancel
  // (canceled) and Esc (rejected) both stop the scan; the box stays until the scan has ended.
  scanProgress_ = std::make_unique<QProgressDialog>(&window_);
  scanProgress_->setWindowTitle(tr("Add Folder"));
  scanProgress_->setLabelText(tr("Looking for sound files..."));
  scanProgress_->setCancelButtonText(tr("Cancel"));
  scanProgress_->setRange(0, 0);
  scanProgress_->setModal(false);
  scanProgress_->setAutoClose(false);
  scanProgress_->setAutoReset(false);
  scanProgress_->setMinimumDuration(0);
  connect(scanProgress_.get(), &QProgressDialog::canceled, this, [this] { folderScan_.Cancel(); });
  connect(scanProgress_.get(), &QDialog::rejected, this, [this] { folderScan_.Cancel(); });
  folderScan_.Start(folders);
  DisableLaunchWhileScanning();
  scanProgress_->show();
}

// One delivery of the scan: its rows, then the count and the buttons once (enabling a button
// reloads its pictures, too slow to do per row of a library).
void TaskListController::AddScannedFiles(const std::vector<ScannedFile>& files) {
  for (const ScannedFile& file : files) {
    if (!file.probe.convertible()) {
      ++scanUnconvertible_;
      continue;
    }
    const int row = list_.GetItemCount();
    InsertProbedRow(row, QString::fromStdString(file.path), file.probe, true);
    list_.SetOutputSubfolder(row, QString::fromStdString(file.outputSubfolder()));
    ++scanFound_;
    if (row == 0) {
      list_.SelectAndFocusRow(0);
      ProbeSelectedRow();
    }
  }
  if (scanProgress_) scanProgress_->setLabelText(tr("%1 files found").arg(scanFound_));
  UpdateListState();
}

void TaskListController::FolderScanFinished(const FolderScanCount& count) {
  scanProgress_.reset();
  UpdateListState();
  const int skipped = count.notAudio + scanUnconvertible_;
  if (skipped > 0) {
    ShowMessage(tr("%1 files found. Skipped %2 %3 not audio.")
                    .arg(scanFound_)
                    .arg(skipped)
                    .arg(skipped == 1 ? tr("file that is") : tr("files that are")));
  }
}

void TaskListController::UpdateListState() {
  const int rows = list_.GetItemCount();
  if (rows == 0) {
    list_.hide();
    for (int id : {kClearAll, kConvert, kSetting, kMerge, kFileInformation})
      buttons_.Enable(id, false);
    return;
  }
  list_.show();
  for (int id : {kClearAll, kConvert, kClip, kRemove, kFileInformation, kSetting}) {
    buttons_.Enable(id, true);
  }
  buttons_.Enable(kMerge, rows >= 2);
  DisableLaunchWhileScanning();
}

void TaskListController::RemoveSelected() { RemoveRow(list_.FirstSelectedRow()); }

void TaskListController::RemoveFocused() {
  const int focused = list_.FocusedRow();
  RemoveRow(focused >= 0 ? focused : list_.FirstSelectedRow());
}

void TaskListController::RemoveRow(int row) {
  if (addingFiles() || row < 0 || row >= list_.GetItemCount()) return;
  list_.DeleteItem(row);
  list_.viewport()->update();
  const int remaining = list_.GetItemCount();
  if (remaining > 0) {
    if (remaining == 1) buttons_.Enable(kMerge, false);
    list_.clearSelection();
    list_.SelectAndFocusRow(row < remaining ? row : row - 1);
    list_.setFocus();
    return;
  }
  list_.hide();
  for (int id : {kClip, kConvert, kSetting, kClearAll, kRemove, kMerge, kFileInformation}) {
    buttons_.Enable(id, false);
  }
}

void TaskListController::ClearAll() {
  if (addingFiles()) return;
  list_.DeleteAllItems();
  emit previewMustStop();
  list_.hide();
  for (int id : {kClearAll, kClip, kRemove, kConvert, kSetting, kMerge, kFileInformation}) {
    buttons_.Enable(id, false);
  }
}

bool TaskListController::ProbeRow(int row) {
  const QString path = list_.GetItemText(row, TaskListView::kSourceFile);
  const std::optional<ProbeResult> probe = ProbeConvertible(path);
  if (!probe) return false;
  state_.mediaInformation = DescribeProbedMedia(
      *probe, path.toStdString(), list_.GetItemText(row, TaskListView::kEndTime).toStdString());
  return true;
}

bool TaskListController::ProbeSelectedRow() {
  const int row = list_.FirstSelectedRow();
  return row >= 0 && ProbeRow(row);
}

void TaskListController::RowClicked() {
  emit previewMustStop();
  const int row = list_.FirstSelectedRow();
  if (row < 0) {
    for (int id : {kClip, kRemove, kMerge, kFileInformation}) buttons_.Enable(id, false);
    return;
  }
  if (!ProbeRow(row)) {
    ShowMessage(tr("File:%1 invalid!").arg(list_.GetItemText(row, TaskListView::kSourceFile)));
    return;
  }
  for (int id : {kClip, kRemove, kConvert, kFileInformation}) buttons_.Enable(id, true);
  if (row != list_.GetItemCount() - 1) buttons_.Enable(kMerge, true);
  DisableLaunchWhileScanning();
}

// Until a folder scan ends its rows are not all in: a batch started now would miss the rest.
void TaskListController::DisableLaunchWhileScanning() {
  if (!scanningFolders()) return;
  buttons_.Enable(kConvert, false);
  buttons_.Enable(kMerge, false);
}

std::unique_ptr<QMenu> TaskListController::BuildContextMenu() {
  auto menu = std::make_unique<QMenu>(&window_);
  const bool selected = list_.FirstSelectedRow() >= 0;
  const auto add = [&menu](const QString& text, int id, bool enabled) {
    QAction* action = menu->addAction(text);
    action->setData(id);
    action->setEnabled(enabled);
  };
  const auto separator = [&menu] { menu->addSeparator()->setData(kMenuSeparator); };
  add(tr("Add Files.."), kMenuAddFiles, true);
  add(tr("Add Folder..."), kMenuAddFolder, true);
  separator();
  add(tr("Remove"), kMenuRemove, selected);
  add(tr("Clear All"), kMenuClearAll, true);
  separator();
  // Without a selection the grayed Clip item carries the File Information id, as it always has.
  add(tr("Clip..."), selected ? kMenuClip : kMenuFileInformation, selected);
  add(tr("Split into Chapters"), kMenuSplitChapters, SplitsIntoChapters(list_));
  separator();
  add(tr("File Information..."), kMenuFileInformation, selected);
  return menu;
}

void TaskListController::ContextMenu(const QPoint& globalPosition) {
  if (addingFiles()) return;
  const bool selected = list_.FirstSelectedRow() >= 0;
  for (int id : {kConvert, kFileInformation, kClip, kRemove}) {
    if (id != kConvert || selected) buttons_.Enable(id, selected);
  }
  std::unique_ptr<QMenu> menu = BuildContextMenu();
  const QAction* chosen = runMenu(*menu, globalPosition);
  if (chosen != nullptr && chosen->isEnabled()) RunMenuCommand(chosen->data().toInt());
}

void TaskListController::RunMenuCommand(int command) {
  switch (command) {
    case kMenuAddFiles:
      AddFiles();
      break;
    case kMenuAddFolder:
      AddFolder();
      break;
    case kMenuRemove:
      RemoveSelected();
      break;
    case kMenuClearAll:
      ClearAll();
      break;
    case kMenuFileInformation:
      ShowFileInformation();
      break;
    case kMenuClip:
      emit clipRequested();
      break;
    case kMenuSplitChapters:
      SplitIntoChapters();
      break;
    default:
      break;
  }
}

void TaskListController::SplitIntoChapters() {
  if (addingFiles()) return;
  const int row = list_.FirstSelectedRow();
  if (row < 0 || list_.GetChapter(row).number > 0) return;  // a chapter is split already
  const QString path = list_.GetItemText(row, TaskListView::kSourceFile);
  const std::optional<ProbeResult> probe = ProbeConvertible(path);
  if (!probe) {
    ShowMessage(tr("File:%1 invalid!").arg(path));
    return;
  }
  const std::vector<TaskRow> chapters = ChapterRows(TaskRow{}, probe->chapters);
  if (chapters.empty()) {
    ShowMessage(tr("File:%1 has no chapters!").arg(path.mid(path.lastIndexOf('/') + 1)));
    return;
  }
  emit previewMustStop();
  const bool checked = list_.GetCheck(row);
  const QString format = list_.GetItemText(row, TaskListView::kOutputFormat);
  const QString duration = list_.GetItemText(row, TaskListView::kDuration);
  const QString subfolder = list_.GetOutputSubfolder(row);
  list_.DeleteItem(row);
  for (std::size_t index = 0; index < chapters.size(); ++index) {
    const TaskRow& chapter = chapters[index];
    const int at = list_.InsertRow(row + static_cast<int>(index), path);
    list_.SetItemText(at, TaskListView::kStartTime, QString::fromStdString(chapter.startTime));
    list_.SetItemText(at, TaskListView::kEndTime, QString::fromStdString(chapter.endTime));
    list_.SetItemText(at, TaskListView::kOutputFormat, format);
    list_.SetItemText(at, TaskListView::kStatus, TaskListView::tr(TaskListView::kReadyStatus));
    list_.SetItemText(at, TaskListView::kDuration, duration);
    list_.SetOutputSubfolder(at, subfolder);
    list_.SetChapter(at, {chapter.chapterNumber, QString::fromStdString(chapter.chapterTitle),
                          chapter.exactBeginSeconds, chapter.exactEndSeconds});
    list_.SetCheck(at, checked);
  }
  list_.clearSelection();
  list_.SelectAndFocusRow(row);
  UpdateListState();
}

void TaskListController::ShowFileInformation() {
  if (!ProbeSelectedRow()) return;
  FileInfoDialog information(state_.mediaInformation, &window_);
  information.exec();
}

void TaskListController::ShowMessage(const QString& text) {
  platform_.messages.Show(text, QString(), MessageButtons::Ok, &window_);
}

}  // namespace varnell

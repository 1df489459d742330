// The main window's task list commands: adding files through the file dialog, by dropping them
// or from the command line, adding folders (scanned by FolderScanController), removing and clearing
// rows, probing the selected row into the media information, the list's context menu and the file
// information dialog. Each command enables and disables the window's buttons to match the rows it
// leaves. User-interface thread only.
#pragma once

#include <QComboBox>
#include <QMenu>
#include <QObject>
#include <QProgressDialog>
#include <functional>
#include <memory>
#include <vector>

#include "app/ApplicationState.h"
#include "app/FolderScanController.h"
#include "app/MainWindowButtons.h"
#include "app/TaskListView.h"
#include "engine/SourceProbe.h"
#include "platform/Platform.h"

namespace varnell {

class TaskListController : public QObject {
  Q_OBJECT
 public:
  // Context-menu command ids.
  enum MenuCommand {
    kMenuAddFiles = 10001,
    kMenuAddFolder = 10005,
    kMenuRemove = 10002,
    kMenuClearAll = 10003,
    kMenuSeparator = 10004,
    kMenuFileInformation = 10009,
    kMenuSplitChapters = 10006,
    kMenuClip = 100010
  };

  // New rows from the file dialog take the format `profile` shows; `window` is the parent of
  // the menu and of the boxes and dialogs.
  TaskListController(ApplicationState& state, const Platform& platform, TaskListView& list,
                     QComboBox& profile, MainWindowButtons& buttons, QWidget& window);

  void AddFiles();
  // Adds files as if the file dialog had chosen them (the command line's files come this way);
  // folders among them are scanned as AddFolders scans them.
  void AddChosenFiles(const QStringList& paths);
  // Dropped folders are scanned (AddFolders); dropped files go on top, unchecked.
  void DropFiles(const QStringList& paths);
  // The folder dialog, then AddFolders of the folder chosen.
  void AddFolder();
  // Scans the folders off the user-interface thread: their sound files are appended as checked
  // rows in the scan's order as they are probed, each keeping its folders for the output tree.
  // A small box counts them and cancels (Cancel, Esc); Convert and Merge stay disabled until the
  // scan ends, and a box then counts the files passed over as not audio.
  void AddFolders(const QStringList& folders);
  void CancelFolderScan() { folderScan_.Cancel(); }
  bool scanningFolders() const { return folderScan_.scanning(); }
  void RemoveSelected();
  // The Delete key in the list: the row with the keyboard focus, wherever the selection is;
  // the first selected row when no row has the focus.
  void RemoveFocused();
  void ClearAll();
  bool ProbeSelectedRow();
  void RowClicked();
  void ContextMenu(const QPoint& globalPosition);
  // The menu ContextMenu shows for the current selection (ids in each action's data()).
  std::unique_ptr<QMenu> BuildContextMenu();
  void RunMenuCommand(int command);
  // Replaces the first selected row by one row per chapter of its file, in place, each checked
  // as the row was and keeping its format text and subfolder (the file is probed again now); a
  // box says so when the file has fewer than two chapters.
  void SplitIntoChapters();
  // Probes the first selected row and shows what it holds.
  void ShowFileInformation();
  // How ContextMenu shows its menu: by default QMenu::exec; tests answer instead.
  std::function<QAction*(QMenu&, const QPoint&)> runMenu;

  // While files are chosen, probed and inserted, or folders scanned; the commands that change
  // the rows refuse then.
  bool addingFiles() const { return addingFiles_ || folderScan_.scanning(); }

 signals:
  // Clearing the list and clicking a row end what the preview plays.
  void previewMustStop();
  // The context menu's Clip command; the window's clip dialog edits the selected rows.
  void clipRequested();

 private:
  void UpdateListState();
  void RemoveRow(int row);
  void DisableLaunchWhileScanning();
  bool ProbeRow(int row);
  void InsertProbedRow(int row, const QString& path, const ProbeResult& probe, bool fromFileDialog);
  void AddProbedFiles(const QStringList& paths, bool fromFileDialog);
  void ShowMessage(const QString& text);
  void AddScannedFiles(const std::vector<ScannedFile>& files);
  void FolderScanFinished(const FolderScanCount& count);

  ApplicationState& state_;
  const Platform& platform_;
  TaskListView& list_;
  QComboBox& profile_;
  MainWindowButtons& buttons_;
  QWidget& window_;
  // Set while AddFiles or DropFiles chooses, probes and inserts files (all on the
  // user-interface thread).
  bool addingFiles_ = false;
  FolderScanController folderScan_;
  std::unique_ptr<QProgressDialog> scanProgress_;  // while folderScan_ runs
  int scanFound_ = 0;
  int scanUnconvertible_ = 0;  // sound files whose length is unknown
};

}  // namespace varnell

// The main window: a frameless window drawn from bitmaps, holding the task list, the command
// buttons, the output format ("profile") and the output folder. Everything here runs on the
// user-interface thread.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QMenu>
#include <QPixmap>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "app/ApplicationState.h"
#include "app/BatchController.h"
#include "app/TaskListView.h"
#include "app/OutputFolderStore.h"
#include "clip/ClipDialog.h"
#include "engine/Job.h"
#include "engine/SourceProbe.h"
#include "controls/BitmapSlider.h"
#include "controls/SkinButton.h"
#include "platform/DesktopOpen.h"
#include "platform/Platform.h"

namespace varnell {

class MainWindow : public QDialog {
  Q_OBJECT
 public:
  // Context-menu command ids.
  enum MenuCommand { kMenuAddFiles = 10001, kMenuRemove = 10002, kMenuClearAll = 10003,
                     kMenuSeparator = 10004, kMenuFileInformation = 10009, kMenuClip = 100010 };

  MainWindow(ApplicationState& state, const Platform& platform,
                        const QString& programFolder, QWidget* parent = nullptr);
  ~MainWindow() override;

  // --- The task list commands ---
  void AddFiles();
  // Adds files as if the file dialog had chosen them (the command line's files come this way).
  void AddChosenFiles(const QStringList& paths);
  void DropFiles(const QStringList& paths);
  void RemoveSelected();
  void ClearAll();
  bool ProbeSelectedRow();
  void RowClicked();
  void ContextMenu(const QPoint& globalPosition);
  // The menu ContextMenu shows for the current selection (ids in each action's data()).
  std::unique_ptr<QMenu> BuildContextMenu();
  void RunMenuCommand(int command);
  // How ContextMenu shows its menu: by default QMenu::exec; tests answer instead.
  std::function<QAction*(QMenu&, const QPoint&)> runMenu;

  // --- The preview: listening to a row before converting it ---
  void PreviewSetUp();
  void PlayPause();
  void StopPreview();
  void SliderMoved(int controlId, int value);
  // The end of playback, delivered on this window's thread.
  Q_INVOKABLE void PreviewEnded();
  // Timer 100: the position slider shows where the player is.
  void PreviewPositionTick();
  bool isPreviewPlaying() const { return playAction_ == PlayAction::Pause; }
  bool previewOpened() const { return previewOpened_; }
  int previewVolume() const { return previewVolume_; }
  bool isPreviewPositionTimerActive() const { return previewPositionTimer_.isActive(); }
  // The looks Play and Stop show now: 302 / 310 / 301 and 304 / 303.
  int playLook() const { return playLook_; }
  int stopLook() const { return stopLook_; }

  // --- Converting a batch ---
  void StartConverting();
  void MergeFiles();
  // SIGTERM or SIGHUP (QuitSignalNotifier): a running batch ends as Stop ends it, then the
  // program quits as its Close button quits it; without a batch it quits at once.
  void QuitOnSignal();
  BatchController& batch() { return *batch_; }
  ClipDialog& clipDialog() { return clipDialog_; }

  // --- The window's own commands ---
  void ProfileChanged(int item);
  void Browse();
  void FindTarget();
  void Help();
  void ClipCommand();
  void Minimise();
  void CloseProgram();
  void Settings();
  void FileInformation();
  void About();

  // --- For the commands of the conversion, preview and dialogs that come on top ---
  TaskListView* taskList() const { return taskList_; }
  SkinButton* button(int id) const;
  BitmapSlider* slider(int id) const;
  QComboBox* profileBox() const { return profile_; }
  QComboBox* outputFolderBox() const { return outputFolder_; }
  QFrame* previewArea() const { return previewArea_; }
  const QString& currentOutputFolder() const { return currentOutputFolder_; }
  const OutputFolderStore& outputFolderStore() const { return store_; }
  int clipRowIndex() const { return clipRowIndex_; }
  void EnableButton(int id, bool enabled);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void accept() override {}  // Enter does not end the window
  void reject() override {}  // nor Esc

 private:
  void CreateControls();
  void SkinButtons();
  void SetUpSliders();
  void ConnectControls();
  void SetUpOutputFolder();
  void UpdateListState();
  bool ProbeRow(int row);
  void InsertProbedRow(int row, const QString& path, const ProbeResult& probe, bool fromFileDialog);
  void AddProbedFiles(const QStringList& paths, bool fromFileDialog);
  void Launch(JobKind kind);
  void ShowMessage(const QString& text);
  void Open(const QString& target, OpenTarget kind);
  static QString CleanPath(const QString& path);

  ApplicationState& state_;
  const Platform& platform_;
  QString programFolder_;
  OutputFolderStore store_;
  QPixmap background_;

  std::map<int, SkinButton*> buttons_;
  std::map<int, BitmapSlider*> sliders_;
  TaskListView* taskList_ = nullptr;
  QComboBox* profile_ = nullptr;
  QComboBox* outputFolder_ = nullptr;
  QFrame* previewArea_ = nullptr;
  QPushButton* hiddenRemove_ = nullptr;

  enum class PlayAction { Play, Pause };  // what the Play button does next
  bool OpenPreview();
  void StartPreview();
  void ShowPreviewButtons();
  PlayAction playAction_ = PlayAction::Play;
  bool reopenPending_ = true;
  bool previewOpened_ = false;  // a file has been opened once; gates seeking and stopping
  bool previewFileOpen_ = false;  // the player holds a file for this window now
  int previewVolume_ = 65535;
  int playLook_ = 301;
  int stopLook_ = 303;
  QTimer previewPositionTimer_;  // timer 100, runs from the first Start until StopPreview

  ClipDialog clipDialog_;  // reused for every row it edits
  std::unique_ptr<BatchController> batch_;  // made once the task list is there

  QString currentOutputFolder_;
  int clipRowIndex_ = 0;
  bool closing_ = false;
  // Set while AddFiles or DropFiles chooses, probes and inserts files; the commands that change
  // the rows refuse meanwhile (all on the user-interface thread).
  bool addingFiles_ = false;
  std::optional<QPoint> dragOrigin_;  // where a background drag grabbed the window
};

}  // namespace varnell

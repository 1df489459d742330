// The main window: a frameless window drawn from bitmaps, holding the task list, the command
// buttons, the output format ("profile") and the output folder. It makes the controls and wires
// them to the controllers that own the work: the task list's commands, the preview and the
// batch. Everything here runs on the user-interface thread.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QPixmap>
#include <QPushButton>
#include <map>
#include <memory>
#include <optional>

#include "app/ApplicationState.h"
#include "app/BatchController.h"
#include "app/MainWindowButtons.h"
#include "app/OutputFolderStore.h"
#include "app/PreviewController.h"
#include "app/TaskListController.h"
#include "app/TaskListView.h"
#include "clip/ClipDialog.h"
#include "controls/BitmapSlider.h"
#include "controls/SkinButton.h"
#include "engine/Job.h"
#include "platform/DesktopOpen.h"
#include "platform/Platform.h"

namespace varnell {

class MainWindow : public QDialog {
  Q_OBJECT
 public:
  MainWindow(ApplicationState& state, const Platform& platform, const QString& programFolder,
             QWidget* parent = nullptr);
  ~MainWindow() override;

  // Converts the checked rows into the output folder, as the Convert button does.
  void StartConverting();
  // SIGTERM or SIGHUP (QuitSignalNotifier): a running batch ends as Stop ends it, then the
  // program quits as its Close button quits it; without a batch it quits at once.
  void QuitOnSignal();

  TaskListController& taskListController() { return *taskListController_; }
  PreviewController& preview() { return *preview_; }
  BatchController& batch() { return *batch_; }

  TaskListView* taskList() const { return taskList_; }
  SkinButton* button(int id) const { return buttons_.find(id); }
  BitmapSlider* slider(int id) const;
  QComboBox* profileBox() const { return profile_; }
  QComboBox* outputFolderBox() const { return outputFolder_; }
  // The folder of the last accepted batch or the last Browse; at first the stored one.
  const QString& currentOutputFolder() const { return currentOutputFolder_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void accept() override {}  // Enter does not end the window
  // nor Esc, which stops a folder scan
  void reject() override { taskListController_->CancelFolderScan(); }

 private:
  void CreateControls();
  void SetUpSliders();
  void ConnectControls();
  void SetUpOutputFolder();

  // The window's own commands.
  void MergeFiles();
  void Launch(JobKind kind);
  void ProfileChanged(int item);
  void Browse();
  void FindTarget();
  void Help();
  void ClipCommand();
  void Minimise();
  void CloseProgram();
  void Settings();
  void About();
  void ShowMessage(const QString& text);
  void Open(const QString& target, OpenTarget kind);

  ApplicationState& state_;
  const Platform& platform_;
  QString programFolder_;
  OutputFolderStore store_;
  QPixmap background_;
  qreal backgroundRatio_ = 1.0;  // the device pixel ratio background_ was drawn for

  MainWindowButtons buttons_;
  std::map<int, BitmapSlider*> sliders_;
  TaskListView* taskList_ = nullptr;
  QComboBox* profile_ = nullptr;
  QComboBox* outputFolder_ = nullptr;
  QFrame* previewArea_ = nullptr;
  QPushButton* hiddenRemove_ = nullptr;

  ClipDialog clipDialog_;  // reused for every row it edits
  // Made once the controls are there.
  std::unique_ptr<TaskListController> taskListController_;
  std::unique_ptr<BatchController> batch_;
  std::unique_ptr<PreviewController> preview_;

  QString currentOutputFolder_;
  bool closing_ = false;
  // The output folder could not be kept for the next start; said once per run.
  bool storeUnwritable_ = false;
  bool storeUnwritableTold_ = false;
  std::optional<QPoint> dragOrigin_;  // where a background drag grabbed the window
};

}  // namespace varnell

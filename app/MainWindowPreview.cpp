// Listening to a row in the main window through the player library: Play / Pause, Stop, seeking
// with the position slider, the slider following the player, and the volume slider. Sound only:
// the window asks the player for no picture. All of it runs on the user-interface thread.
#include <QItemSelectionModel>
#include <QMetaObject>
#include <algorithm>
#include <atomic>

#include "app/MainWindow.h"
#include "app/MainWindowTemplate.h"
#include "clip/TransportLooks.h"
#include "playermodule/PlayerModule.h"

namespace varnell {

using namespace main_window;
namespace looks = transport_looks;

namespace {

constexpr int kMaxPlayerPath = 260;
constexpr int kPositionInterval = 100;  // ms
constexpr int kFullVolume = 65535;
const wchar_t* const kPlayerId = L"VarnellMain";

// The window that receives the end of playback. The player calls the end function on its own
// thread; the window is reached through this hook (one player and one main window per process)
// and the work is queued to the window's thread.
std::atomic<MainWindow*> previewWindow{nullptr};

void OnPlaybackEnded() {
  if (MainWindow* window = previewWindow.load()) {
    QMetaObject::invokeMethod(window, "PreviewEnded", Qt::QueuedConnection);
  }
}

void OnPlaybackSecond(int) {}

// The upper part of the volume slider's range all gives the full volume.
int VolumeOfSlider(int value) { return std::min(value, kFullVolume); }

}  // namespace

// Runs at start-up and again whenever the clip dialog hands the player back; the connections
// are made once.
void MainWindow::PreviewSetUp() {
  previewWindow = this;
  PlayerModule_Initialize(OnPlaybackEnded, OnPlaybackSecond, kPlayerId);
  BitmapSlider* position = sliders_.at(kPositionSlider);
  position->SetLimits(0, 1000);
  position->SetValue(0);
  previewVolume_ = VolumeOfSlider(sliders_.at(kVolumeSlider)->GetValue());
  reopenPending_ = true;
  playAction_ = PlayAction::Play;
  previewPositionTimer_.setInterval(kPositionInterval);
  connect(&previewPositionTimer_, &QTimer::timeout, this,
          &MainWindow::PreviewPositionTick, Qt::UniqueConnection);
  // Every way the selection changes (clicks, keys, removing, clearing, adding, a batch) ends
  // here, so Play and Stop never disagree with it.
  connect(taskList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &MainWindow::ShowPreviewButtons, Qt::UniqueConnection);
}

// The one place that decides Play and Stop: usable while a row is selected (Play has something
// to open) or while a file is open (what sounds can always be paused and stopped); Play's look
// and tool tip follow the play action.
void MainWindow::ShowPreviewButtons() {
  const bool usable = previewFileOpen_ || taskList_->FirstSelectedRow() >= 0;
  const bool playing = playAction_ == PlayAction::Pause;
  playLook_ = !usable ? looks::kPlayDisabled : playing ? looks::kPause : looks::kPlay;
  stopLook_ = usable ? looks::kStop : looks::kStopDisabled;
  const auto show = [usable](SkinButton* button, int look) {
    button->setEnabled(usable);
    button->LoadStateBitmaps(look, look, look);
    button->update();
  };
  show(buttons_.at(kPlay), playLook_);
  show(buttons_.at(kStop), stopLook_);
  buttons_.at(kPlay)->setToolTip(playing ? "Pause" : "Play");
}

// Opens the last selected row. False when nothing is selected or the file cannot be played.
bool MainWindow::OpenPreview() {
  const int row = taskList_->LastSelectedRow();
  if (row < 0) return false;
  taskList_->setFocus();
  StopPreview();
  const std::wstring path =
      taskList_->GetItemText(row, TaskListView::kSourceFile).left(kMaxPlayerPath).toStdWString();
  PlayerModule_SetFileName(path.c_str());
  if (PlayerModule_Open() == -1) return false;
  int hasPicture = 0;
  int hasSound = 0;
  PlayerModule_GetMideaType(&hasPicture, &hasSound);
  previewOpened_ = true;
  previewFileOpen_ = true;
  return true;
}

// Starts or resumes the open file at the volume the slider shows, then shows what the player
// does: a Start that fails (no file open) leaves the buttons as they are.
void MainWindow::StartPreview() {
  PlayerModule_SetVolume(previewVolume_);
  if (PlayerModule_Start() != 0) return;
  previewPositionTimer_.start();
  sliders_.at(kPositionSlider)->setEnabled(true);
  playAction_ = PlayAction::Pause;
  ShowPreviewButtons();
}

void MainWindow::PlayPause() {
  if (playAction_ == PlayAction::Play) {
    // A file that fails to open after an earlier one played leaves everything as it is: no
    // pause look and no Start for a file that is not there.
    if (reopenPending_ && !OpenPreview()) return;
    if (!previewOpened_) return;
    StartPreview();
    return;
  }
  reopenPending_ = false;
  if (!previewOpened_) return;
  PlayerModule_Pause();
  playAction_ = PlayAction::Play;
  ShowPreviewButtons();
}

void MainWindow::StopPreview() {
  reopenPending_ = true;
  if (previewOpened_) {
    previewPositionTimer_.stop();
    PlayerModule_Stop();
    PlayerModule_Close();
    previewFileOpen_ = false;
    BitmapSlider* position = sliders_.at(kPositionSlider);
    position->setEnabled(false);
    playAction_ = PlayAction::Play;
    position->SetValue(0);
    previewArea_->update();
  }
  ShowPreviewButtons();
}

void MainWindow::PreviewPositionTick() {
  BitmapSlider* position = sliders_.at(kPositionSlider);
  // The user's hand wins while it holds the thumb; the seek it makes follows.
  if (position->isDragging()) return;
  float fraction = 0.0f;
  if (PlayerModule_GetPos(&fraction) != 0) return;
  const int value = static_cast<int>(fraction * 1000);
  if (value != position->GetValue()) position->SetValue(value);
}

void MainWindow::SliderMoved(int controlId, int value) {
  if (controlId == kPositionSlider) {
    if (!previewOpened_) return;
    // Seeking resumes playback even when paused; StartPreview shows that it plays.
    PlayerModule_Pause();
    PlayerModule_SetPos(static_cast<float>(value) / 1000.0f);
    StartPreview();
  } else if (controlId == kVolumeSlider) {
    previewVolume_ = VolumeOfSlider(value);
    PlayerModule_SetVolume(previewVolume_);
    int ignored = 0;
    PlayerModule_GetVolume(&ignored);
  }
}

void MainWindow::PreviewEnded() { StopPreview(); }

}  // namespace varnell

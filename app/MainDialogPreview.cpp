// Listening to a row in the main window through the player library: Play / Pause, Stop, seeking
// with the position slider and the volume slider. Sound only: the window asks the player for no
// picture and no position.
#include <QMetaObject>
#include <atomic>

#include "app/COstrelAVConverterDlg.h"
#include "app/MainDialogTemplate.h"
#include "playermodule/PlayerModule.h"

namespace varnell {

using namespace main_dialog;

namespace {

constexpr int kMaxPlayerPath = 260;
const wchar_t* const kPlayerId = L"VarnellMain";

// The window that receives the end of playback. The player calls the end function on its own
// thread; the window is reached through this hook (one player and one main window per process)
// and the work is queued to the window's thread.
std::atomic<COstrelAVConverterDlg*> previewWindow{nullptr};

void OnPlaybackEnded() {
  if (COstrelAVConverterDlg* window = previewWindow.load()) {
    QMetaObject::invokeMethod(window, "PreviewEnded", Qt::QueuedConnection);
  }
}

void OnPlaybackSecond(int) {}

}  // namespace

void COstrelAVConverterDlg::PreviewSetUp() {
  previewWindow = this;
  PlayerModule_Initialize(OnPlaybackEnded, OnPlaybackSecond, kPlayerId);
  CBitmapSlider* position = sliders_.at(kPositionSlider);
  position->SetLimits(0, 1000);
  position->SetValue(0);
  previewVolume_ = 65535;
  reopenPending_ = true;
  playAction_ = PlayAction::Play;
}

void COstrelAVConverterDlg::SetPlayLook(bool playing) {
  CControlButton* play = buttons_.at(kPlay);
  const int look = playing ? 310 : 302;
  play->setEnabled(false);
  play->LoadStateBitmaps(look, look, look);
  play->setEnabled(true);
  play->setToolTip(playing ? "Pause" : "Play");
  play->update();
}

// Opens the last selected row. False when nothing is selected or the file cannot be played.
bool COstrelAVConverterDlg::OpenPreview() {
  const int row = taskList_->LastSelectedRow();
  if (row < 0) return false;
  taskList_->setFocus();
  StopPreview();
  const std::wstring path =
      taskList_->GetItemText(row, CCheckListCtrl::kSourceFile).left(kMaxPlayerPath).toStdWString();
  PlayerModule_SetFileName(path.c_str());
  if (PlayerModule_Open() == -1) return false;
  int hasPicture = 0;
  int hasSound = 0;
  PlayerModule_GetMideaType(&hasPicture, &hasSound);
  previewOpened_ = true;
  return true;
}

void COstrelAVConverterDlg::PlayPause() {
  if (playAction_ == PlayAction::Play) {
    // A file that fails to open after an earlier one played leaves everything as it is: no
    // pause look and no Start for a file that is not there.
    if (reopenPending_ && !OpenPreview()) return;
    if (!previewOpened_) return;
    PlayerModule_Start();
    sliders_.at(kPositionSlider)->setEnabled(true);
    playAction_ = PlayAction::Pause;
    SetPlayLook(true);
    return;
  }
  reopenPending_ = false;
  if (!previewOpened_) return;
  PlayerModule_Pause();
  playAction_ = PlayAction::Play;
  SetPlayLook(false);
}

void COstrelAVConverterDlg::StopPreview() {
  reopenPending_ = true;
  if (!previewOpened_) return;
  PlayerModule_Stop();
  PlayerModule_Close();
  CBitmapSlider* position = sliders_.at(kPositionSlider);
  position->setEnabled(false);
  playAction_ = PlayAction::Play;
  SetPlayLook(false);
  position->SetValue(0);
  previewArea_->update();
  if (taskList_->FirstSelectedRow() < 0) {
    EnableButton(kPlay, false);
    EnableButton(kStop, false);
  }
}

void COstrelAVConverterDlg::SliderMoved(int controlId, int value) {
  if (controlId == kPositionSlider) {
    if (!previewOpened_) return;
    // Seeking resumes playback even when paused; the Play button keeps its look.
    PlayerModule_Pause();
    PlayerModule_SetPos(static_cast<float>(value) / 1000.0f);
    PlayerModule_Start();
  } else if (controlId == kVolumeSlider) {
    previewVolume_ = std::min(value, 65535);
    PlayerModule_SetVolume(previewVolume_);
    int ignored = 0;
    PlayerModule_GetVolume(&ignored);
  }
}

void COstrelAVConverterDlg::PreviewEnded() { StopPreview(); }

}  // namespace varnell

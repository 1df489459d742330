// Listening to the row in the clip dialog: Play / Pause, Stop, opening the file, the position
// and picture timers, and seeking with the position slider.
#include <string>

#include "clip/ClipDialog.h"
#include "clip/ClipDialogTemplate.h"
#include "clip/ClipPreviewArea.h"
#include "clip/TransportLooks.h"
#include "playermodule/PlayerModule.h"

namespace varnell {

using namespace clip_dialog;
namespace looks = transport_looks;

namespace {

constexpr int kMaxPlayerPath = 260;

}  // namespace

void ClipDialog::SetPlayLook(int look) {
  SkinButton* play = skinButtons_.at(kPlay);
  // Disabled around the change so the new face is painted at once, as the owner expects.
  play->setEnabled(false);
  play->LoadStateBitmaps(look, look, look);
  play->setEnabled(true);
  play->setToolTip(playAction_ == PlayAction::Play ? tr("Play") : tr("Pause"));
  play->update();
  playLook_ = look;
}

void ClipDialog::OnPlayPause() {
  if (playAction_ == PlayAction::Play) {
    if (reopenPending_) OpenFile();
    // Only a file that is open now may start: after an earlier success a failed open would
    // otherwise show the pause look over silence.
    if (!playerEverOpened_ || !fileOpen_) return;
    positionTimer_.start();
    pictureTimer_.start();
    PlayerModule_Start();
    sliders_.at(kPositionSlider)->setEnabled(true);
    playAction_ = PlayAction::Pause;
    SetPlayLook(looks::kPause);
  } else {
    reopenPending_ = false;
    if (!playerEverOpened_) return;
    // The timers keep running while paused, so a seek shows at once.
    positionTimer_.start();
    pictureTimer_.start();
    PlayerModule_Pause();
    playAction_ = PlayAction::Play;
    SetPlayLook(looks::kPlay);
  }
}

void ClipDialog::OpenFile() {
  OnStop();
  const std::wstring path = row_.sourcePath.left(kMaxPlayerPath).toStdWString();
  PlayerModule_SetFileName(path.c_str());
  positionTimer_.start();
  pictureTimer_.start();
  fileOpen_ = PlayerModule_Open() != -1;
  // A failed open is not reported: the preview simply stays empty.
  if (!fileOpen_) return;
  hasPicture_ = preview_->TakePictureOfOpenFile() ? 1 : 0;
  playerEverOpened_ = true;
}

void ClipDialog::OnStop() {
  if (!playerEverOpened_) return;
  positionTimer_.stop();
  pictureTimer_.stop();
  PlayerModule_Stop();
  BitmapSlider* position = sliders_.at(kPositionSlider);
  position->setEnabled(false);
  playAction_ = PlayAction::Play;
  SetPlayLook(looks::kPlay);
  // The player is back at the start: the slider, the current second and so what Set Begin
  // Time and Set End Time record all say so, also after the end of the file.
  position->SetValue(0);
  currentSeconds_ = 0;
  preview_->Clear();
  if (taskListHasSelection && !taskListHasSelection()) {
    SkinButton* play = skinButtons_.at(kPlay);
    play->LoadStateBitmaps(looks::kPlayDisabled, looks::kPlayDisabled, looks::kPlayDisabled);
    playLook_ = looks::kPlayDisabled;
    SkinButton* stop = skinButtons_.at(kStop);
    stop->LoadStateBitmaps(looks::kStopDisabled, looks::kStopDisabled, looks::kStopDisabled);
    play->setEnabled(false);
    stop->setEnabled(false);
  } else {
    skinButtons_.at(kStop)->LoadStateBitmaps(looks::kStop, looks::kStop, looks::kStop);
    skinButtons_.at(kStop)->setEnabled(true);
  }
}

void ClipDialog::PlaybackEnded() { OnStop(); }

void ClipDialog::OnPositionTimer() {
  float fraction = 0.0f;
  double duration = 0.0;
  if (PlayerModule_GetPos(&fraction) != 0 || PlayerModule_GetDuration(&duration) != 0) return;
  currentSeconds_ = static_cast<int>(fraction * duration);
  BitmapSlider* position = sliders_.at(kPositionSlider);
  const int value = static_cast<int>(fraction * 1000);
  if (value != position->GetValue()) position->SetValue(value);
}

void ClipDialog::OnPictureTimer() {
  if (hasPicture_) preview_->ShowPlayerPicture();
}

void ClipDialog::OnSeek(int controlId) {
  if (controlId != kPositionSlider || !playerEverOpened_) return;
  PlayerModule_Pause();
  PlayerModule_SetPos(static_cast<float>(sliders_.at(kPositionSlider)->GetValue()) / 1000.0f);
  double duration = 0.0;
  float fraction = 0.0f;
  if (PlayerModule_GetDuration(&duration) == 0 && PlayerModule_GetPos(&fraction) == 0)
    currentSeconds_ = static_cast<int>(fraction * duration);
  // A seek while paused plays on: the Play button shows that, so its next press pauses.
  if (PlayerModule_Start() == 0 && playAction_ == PlayAction::Play) {
    playAction_ = PlayAction::Pause;
    SetPlayLook(looks::kPause);
  }
}

}  // namespace varnell

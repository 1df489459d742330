#include "app/PreviewController.h"

#include <QItemSelectionModel>
#include <algorithm>

#include "clip/PlayerEndHook.h"
#include "clip/TransportLooks.h"
#include "playermodule/PlayerModule.h"

namespace varnell {

namespace looks = transport_looks;

namespace {

constexpr int kMaxPlayerPath = 260;
constexpr int kPositionInterval = 100;  // ms
constexpr int kPictureInterval = 67;    // ms, as the clip dialog's picture
constexpr int kFullVolume = 65535;
const wchar_t* const kPlayerId = L"VarnellMain";

// The upper part of the volume slider's range all gives the full volume.
int VolumeOfSlider(int value) { return std::min(value, kFullVolume); }

}  // namespace

PreviewController::PreviewController(const Controls& controls)
    : controls_(controls), picture_(new ClipPreviewArea(0, &controls.pictureArea)) {
  picture_->setGeometry(controls_.pictureArea.rect());
  picture_->show();
  positionTimer_.setInterval(kPositionInterval);
  connect(&positionTimer_, &QTimer::timeout, this, &PreviewController::PositionTick);
  pictureTimer_.setInterval(kPictureInterval);
  connect(&pictureTimer_, &QTimer::timeout, picture_, &ClipPreviewArea::ShowPlayerPicture);
  // Every way the selection changes (clicks, keys, removing, clearing, adding, a batch) ends
  // here, so Play and Stop never disagree with it.
  connect(controls_.list.selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &PreviewController::ShowButtons);
  SetUp();
}

PreviewController::~PreviewController() {
  PlayerModule_Stop();
  PlayerModule_Close();
  PlayerModule_Initialize(nullptr, nullptr, nullptr);
  player_end_hook::Release(this);
}

// Runs at start-up and again whenever the clip dialog hands the player back.
void PreviewController::SetUp() {
  player_end_hook::Attach(this, kPlayerId);
  controls_.position.SetLimits(0, 1000);
  controls_.position.SetValue(0);
  volume_ = VolumeOfSlider(controls_.volume.GetValue());
  reopenPending_ = true;
  playAction_ = PlayAction::Play;
}

// The one place that decides Play and Stop: usable while a row is selected (Play has something
// to open) or while a file is open (what sounds can always be paused and stopped); Play's look
// and tool tip follow the play action.
void PreviewController::ShowButtons() {
  const bool usable = fileOpen_ || controls_.list.FirstSelectedRow() >= 0;
  const bool playing = playAction_ == PlayAction::Pause;
  playLook_ = !usable ? looks::kPlayDisabled : playing ? looks::kPause : looks::kPlay;
  stopLook_ = usable ? looks::kStop : looks::kStopDisabled;
  const auto show = [usable](SkinButton& button, int look) {
    button.setEnabled(usable);
    button.LoadStateBitmaps(look, look, look);
    button.update();
  };
  show(controls_.play, playLook_);
  show(controls_.stop, stopLook_);
  controls_.play.setToolTip(playing ? tr("Pause") : tr("Play"));
}

// Opens the last selected row. False when nothing is selected or the file cannot be played.
bool PreviewController::Open() {
  TaskListView& list = controls_.list;
  const int row = list.LastSelectedRow();
  if (row < 0) return false;
  list.setFocus();
  Stop();
  const std::wstring path =
      list.GetItemText(row, TaskListView::kSourceFile).left(kMaxPlayerPath).toStdWString();
  PlayerModule_SetFileName(path.c_str());
  if (PlayerModule_Open() == -1) return false;
  hasPicture_ = picture_->TakePictureOfOpenFile();
  openedOnce_ = true;
  fileOpen_ = true;
  return true;
}

// Starts or resumes the open file at the volume the slider shows, then shows what the player
// does: a Start that fails (no file open) leaves the buttons as they are.
void PreviewController::Start() {
  PlayerModule_SetVolume(volume_);
  if (PlayerModule_Start() != 0) return;
  positionTimer_.start();
  if (hasPicture_) {
    // A cover is there from the open on: shown at once, not a tick later.
    picture_->ShowPlayerPicture();
    pictureTimer_.start();
  }
  controls_.position.setEnabled(true);
  playAction_ = PlayAction::Pause;
  ShowButtons();
}

void PreviewController::PlayPause() {
  if (playAction_ == PlayAction::Play) {
    // A file that fails to open after an earlier one played leaves everything as it is: no
    // pause look and no Start for a file that is not there.
    if (reopenPending_ && !Open()) return;
    if (!openedOnce_) return;
    Start();
    return;
  }
  reopenPending_ = false;
  if (!openedOnce_) return;
  PlayerModule_Pause();
  playAction_ = PlayAction::Play;
  ShowButtons();
}

void PreviewController::Stop() {
  reopenPending_ = true;
  if (openedOnce_) {
    positionTimer_.stop();
    pictureTimer_.stop();
    PlayerModule_Stop();
    PlayerModule_Close();
    fileOpen_ = false;
    hasPicture_ = false;
    picture_->Clear();
    controls_.position.setEnabled(false);
    playAction_ = PlayAction::Play;
    controls_.position.SetValue(0);
    controls_.pictureArea.update();
  }
  ShowButtons();
}

void PreviewController::PositionTick() {
  BitmapSlider& position = controls_.position;
  // The user's hand wins while it holds the thumb; the seek it makes follows.
  if (position.isDragging()) return;
  float fraction = 0.0f;
  if (PlayerModule_GetPos(&fraction) != 0) return;
  const int value = static_cast<int>(fraction * 1000);
  if (value != position.GetValue()) position.SetValue(value);
}

void PreviewController::Seek(int value) {
  if (!openedOnce_) return;
  // Seeking resumes playback even when paused; Start shows that it plays.
  PlayerModule_Pause();
  PlayerModule_SetPos(static_cast<float>(value) / 1000.0f);
  Start();
}

void PreviewController::SetVolume(int value) {
  volume_ = VolumeOfSlider(value);
  PlayerModule_SetVolume(volume_);
  int ignored = 0;
  PlayerModule_GetVolume(&ignored);
}

void PreviewController::CloseFile() { PlayerModule_Close(); }

void PreviewController::PlaybackEnded() { Stop(); }

}  // namespace varnell

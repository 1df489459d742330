// Listening to a row of the main window's task list before converting it, through the player
// library: Play / Pause, Stop, seeking with the position slider, the slider following the
// player, and the volume slider; while a file with a cover or a video plays, the preview area
// shows that picture at its own shape.
//
// Threads. Everything here runs on the user-interface thread. The player reports the end of
// playback on its own thread; that report reaches this object only as a call queued to its
// thread (PlaybackEnded).
#pragma once

#include <QFrame>
#include <QObject>
#include <QTimer>

#include "app/TaskListView.h"
#include "clip/ClipPreviewArea.h"
#include "controls/BitmapSlider.h"
#include "controls/SkinButton.h"

namespace varnell {

class PreviewController : public QObject {
  Q_OBJECT
 public:
  struct Controls {
    TaskListView& list;
    SkinButton& play;
    SkinButton& stop;
    BitmapSlider& position;
    BitmapSlider& volume;
    QFrame& pictureArea;
  };
  // Takes the player: the end of its playback comes here from now on.
  explicit PreviewController(const Controls& controls);
  // Closes what plays and unhooks the player, whose thread must not reach a controller that is
  // gone.
  ~PreviewController() override;

  // Takes the player again, as the clip dialog hands it back; the start-up state of the
  // buttons and sliders.
  void SetUp();
  void PlayPause();
  void Stop();
  // The position slider moved to `value` (0 to 1000).
  void Seek(int value);
  // The volume slider moved to `value`.
  void SetVolume(int value);
  // Every 100 ms while a file plays: the position slider shows where the player is.
  void PositionTick();
  // The program quits: the player lets go of its file.
  void CloseFile();
  // The end of playback, queued here from the player's thread.
  Q_INVOKABLE void PlaybackEnded();

  bool isPlaying() const { return playAction_ == PlayAction::Pause; }
  bool openedOnce() const { return openedOnce_; }
  int volume() const { return volume_; }
  bool isPositionTimerActive() const { return positionTimer_.isActive(); }
  // What the preview area shows: the open file's picture, or nothing.
  const ClipPreviewArea& picture() const { return *picture_; }
  // The looks Play and Stop show now: 302 / 310 / 301 and 304 / 303.
  int playLook() const { return playLook_; }
  int stopLook() const { return stopLook_; }

 private:
  enum class PlayAction { Play, Pause };  // what the Play button does next

  bool Open();
  void Start();
  void ShowButtons();

  Controls controls_;
  PlayAction playAction_ = PlayAction::Play;
  bool reopenPending_ = true;
  bool openedOnce_ = false;  // a file has been opened once; gates seeking and stopping
  bool fileOpen_ = false;    // the player holds a file for this controller now
  int volume_ = 65535;
  int playLook_ = 301;
  int stopLook_ = 303;
  QTimer positionTimer_;      // runs from the first Start until Stop
  QTimer pictureTimer_;       // the same, while the open file has a picture
  ClipPreviewArea* picture_;  // a child of the preview area, covering it
  bool hasPicture_ = false;
};

}  // namespace varnell

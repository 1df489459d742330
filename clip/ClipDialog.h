// The modal clip dialog: plays one task's source through the player library, shows its
// picture, and lets the user pick the begin and end time of the part to convert. The owner
// reuses one dialog for every row; while it is open the dialog holds the player, and
// handBackPlayer gives it back when it closes. User-interface thread only, except the
// player's end notification, which is queued to this thread.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "clip/ClipRow.h"
#include "controls/BitmapSlider.h"
#include "controls/SkinButton.h"
#include "controls/SkinLabel.h"

namespace varnell {

class ClipPreviewArea;

class ClipDialog : public QDialog {
  Q_OBJECT
 public:
  enum class PlayAction { Play, Pause };

  explicit ClipDialog(QWidget* parent = nullptr);
  ~ClipDialog() override;

  // Shows the dialog modally for one row; returns the new start/end texts on OK, nullopt
  // otherwise.
  std::optional<std::pair<QString, QString>> EditRow(const ClipRow& row);

  // Runs when the dialog closes (the main window calls its preview set-up there).
  std::function<void()> handBackPlayer;
  // Whether the main task list still has a selected row; asked after each Stop. Unset means
  // yes.
  std::function<bool()> taskListHasSelection;

  // Controls by their template id; null for ids of another kind.
  SkinButton* skinButton(int id) const;
  QPushButton* pushButton(int id) const;
  BitmapSlider* slider(int id) const;
  SkinLabel* timeLabel(int id) const;
  ClipPreviewArea* previewArea() const { return preview_; }

  PlayAction playAction() const { return playAction_; }
  // The look the Play button shows: 302 (play), 310 (pause) or 301 (disabled).
  int playLook() const { return playLook_; }
  int currentSeconds() const { return currentSeconds_; }
  bool positionTimerActive() const { return positionTimer_.isActive(); }
  bool pictureTimerActive() const { return pictureTimer_.isActive(); }
  bool hasPicture() const { return hasPicture_ != 0; }

  // The message handlers, public so that tests can drive the dialog as its controls do.
  void OnPlayPause();
  void OnStop();
  void OnSetBeginTime();
  void OnSetEndTime();
  void OnReset();
  void OnOk();
  void reject() override;  // Cancel, Esc and the close box
  void OnPositionTimer();
  void OnPictureTimer();
  void OnSeek(int controlId);

 public slots:
  // The end of playback, queued here from the player's thread.
  void PlaybackEnded();

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void CreateControls();
  void ConnectControls();
  void OnInitDialog();
  void OnShow();
  void OpenFile();
  void SetPlayLook(int look);
  void LeaveDialog();
  std::int64_t RowDurationSeconds() const;
  void RedrawRange();

  std::map<int, SkinButton*> skinButtons_;
  std::map<int, QPushButton*> pushButtons_;
  std::map<int, BitmapSlider*> sliders_;
  std::map<int, SkinLabel*> timeLabels_;
  ClipPreviewArea* preview_ = nullptr;
  QImage background_;
  qreal backgroundRatio_ = 1.0;  // the device pixel ratio background_ was drawn for

  ClipRow row_;
  std::optional<std::pair<QString, QString>> result_;
  QTimer positionTimer_;
  QTimer pictureTimer_;
  int hasPicture_ = 0;
  PlayAction playAction_ = PlayAction::Play;
  int playLook_ = 302;
  bool reopenPending_ = true;
  int currentSeconds_ = 0;
  // Set by the first successful open and never cleared: Stop, Pause and seeking act only once
  // the player has had a file. One dialog per main window, so this stands for the whole run.
  bool playerEverOpened_ = false;
  // Whether the latest open succeeded: Play starts only a file that is really there.
  bool fileOpen_ = false;
  bool skinLoaded_ = false;
  bool showPending_ = false;
};

}  // namespace varnell

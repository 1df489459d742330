// The preview area of the clip dialog and of the main window: a black frame over the window's
// background, with the player's latest picture (the cover, or the video frame due now) drawn
// in its middle at its own shape, letterboxed, while there is one. User-interface thread only,
// as every caller of the player in the program.
#pragma once

#include <QImage>
#include <QWidget>

#include <vector>

namespace varnell {

class ClipPreviewArea : public QWidget {
  Q_OBJECT
 public:
  explicit ClipPreviewArea(int controlId, QWidget* parent = nullptr);

  int controlId() const { return controlId_; }

  // After the player opened a file: whether it has a picture. The picture is then asked of the
  // player at the size that fills the area (in the screen's pixels) without changing its shape.
  bool TakePictureOfOpenFile();
  // Shows the player's current picture, when the open file has one and it is decoded; a still
  // cover once, until Clear.
  void ShowPlayerPicture();
  // Takes a frame as the player gives it: width x height blue, green, red bytes, bottom row
  // first, no row padding.
  void ShowBottomUpBgr(const std::vector<unsigned char>& frame, int width, int height);
  // Lets the window's background show through again.
  void Clear();
  const QImage& picture() const { return picture_; }
  // Where the picture is drawn: the largest rectangle of its shape centred in the area.
  QRect pictureRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const int controlId_;
  QImage picture_;
  int frameWidth_ = 0;
  int frameHeight_ = 0;
  bool pictureMoves_ = false;         // the open file's picture is a video, not a still cover
  std::vector<unsigned char> frame_;  // frameWidth_ x frameHeight_ x 3 bytes, or empty
};

}  // namespace varnell

// The clip dialog's preview area: a black frame over the dialog's background, with the
// player's latest picture stretched over it while there is one. User-interface thread only.
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

  // Takes a frame as the player gives it: width x height blue, green, red bytes, bottom row
  // first, no row padding.
  void ShowBottomUpBgr(const std::vector<unsigned char>& frame, int width, int height);
  // Lets the dialog's background show through again.
  void Clear();
  const QImage& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const int controlId_;
  QImage picture_;
};

}  // namespace varnell

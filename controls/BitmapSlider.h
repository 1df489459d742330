#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <optional>
#include <utility>

#include "controls/KeyboardFocusMark.h"

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;
class QPaintEvent;

namespace varnell {

// Horizontal slider drawn from pictures: a channel picture that sets the
// control's size and a thumb whose top-left pixel's colour is transparent.
// Besides the value it can show a clip range: between the begin and end marks
// the channel comes from the selected-range picture. Movement is reported to
// the owner through moved() (while dragging) and released() (button up and
// every handled key). Disabling it only stops input; it draws the same. Reached by the
// keyboard it draws a focus mark, whether or not the focus frame is wanted.
class BitmapSlider : public QWidget {
  Q_OBJECT

 public:
  explicit BitmapSlider(int controlId, QWidget* parent = nullptr);

  int controlId() const;

  // Both pictures must load, else neither is kept and the result is false.
  // The control takes the normal picture's size, keeping its position. Loaded at the control's
  // device pixel ratio, and again when that changes.
  bool LoadChannel(int normalBitmapId, int selectedRangeBitmapId);
  // A null selectedRange means the control has no range look: the whole
  // channel then comes from normal whatever the mark mode.
  bool LoadChannelImages(const QImage& normal, const QImage& selectedRange);
  // Pictures 308 (thumb) and 309 (thumb while dragging); false if one fails.
  bool LoadThumb();
  // A null activeThumb keeps the thumb's look while dragging.
  bool LoadThumbImages(const QImage& thumb, const QImage& activeThumb);

  // The value, and the marks, are clamped into the new range.
  void SetLimits(int minimum, int maximum);
  // Clamped against the maximum first, then against the minimum.
  void SetValue(int value);
  // As a key moves the thumb: the value is set clamped, and released() reports it.
  void MoveTo(int value);
  int GetValue() const;
  int GetMinimum() const;
  int GetMaximum() const;
  void SetPageStep(int step);
  int pageStep() const;
  // Pixels kept free around the thumb's travel; the top margin places the thumb.
  void SetMargins(int left, int top, int right, int bottom);
  void SetFocusFrame(bool wanted);
  bool isFocusMarkShown() const;

  void SetBeginMark(int value);
  void SetEndMark(int value);
  // 0 no range, 1 from the begin mark on, 2 between the begin and end marks;
  // other values are ignored.
  void SetMarkMode(int mode);
  int beginMark() const;
  int endMark() const;
  int markMode() const;
  bool isDragging() const;

  // Centre of the thumb for a value, and the value under a pixel, on the
  // thumb's travel between the margins. Neither clamps.
  int ValueToPixel(int value) const;
  int PixelToValue(int x) const;

 signals:
  void moved(int controlId, int value);
  void released(int controlId, int value);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;

 private:
  int Clamped(int value) const;
  // Clamps, redraws and tells a screen reader of a change; reports nothing to the owner.
  void StoreValue(int value);
  // Pixels the thumb's centre can travel; never negative.
  int Travel() const;
  void DragTo(int pointerX);
  void PaintChannel(QPainter& painter) const;
  void PaintChannelPiece(QPainter& painter, const QPixmap& source, int fromX, int toX) const;

  const int controlId_;
  int minimum_ = 0;
  int maximum_ = 100;
  int value_ = 0;
  int pageStep_ = 20;
  int leftMargin_ = 0;
  int topMargin_ = 0;
  int rightMargin_ = 0;
  int bottomMargin_ = 0;
  int beginMark_ = 0;
  int endMark_ = 0;
  int markMode_ = 0;
  // Pointer x minus the thumb's centre, kept from button down to button up so
  // a thumb grabbed off-centre does not jump.
  int dragOffset_ = 0;
  bool dragging_ = false;
  bool focusFrameWanted_ = true;
  KeyboardFocusMark* focusMark_;

  QPixmap channel_;
  // The bitmaps the channel came from and the ratio they were loaded at; none for given images.
  std::optional<std::pair<int, int>> channelBitmaps_;
  qreal channelRatio_ = 1.0;
  QPixmap selectedRangeChannel_;
  QSize channelSize_;  // in window pixels, whatever the pictures' pixel density
  QPixmap thumb_;
  QPixmap activeThumb_;
};

}  // namespace varnell

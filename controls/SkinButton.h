#pragma once

#include <QAbstractButton>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <array>
#include <optional>

#include "controls/KeyboardFocusMark.h"
#include "controls/SkinCaption.h"

class QEnterEvent;
class QEvent;
class QKeyEvent;
class QPaintEvent;
class QPainter;

namespace varnell {

// Skinned push button: its face is a picture per state (normal, under the
// pointer, pressed) and its window is cut to the shape of a picture, so round
// or irregular buttons sit on a dialog's background picture. The owning dialog
// handles clicks and tool tips; the button only draws itself and tracks the
// pointer. It draws the same whether enabled or not: owners load a separate
// disabled look. Owners set it up once with SetShapeFromBitmap, then
// LoadStateBitmaps, and may load other looks later.
//
// A cursor set on the button (setCursor) shows over it whether it is enabled
// or not. Qt shows a disabled widget the cursor of its nearest enabled
// ancestor instead, so while the pointer is over the button that ancestor
// wears the button's cursor, and gets its own back when the pointer leaves.
//
// A caption, when set, is drawn over the face in the ink of the look shown (disabled, under the
// pointer, normal); a caption too long for its room is elided and becomes the tool tip, unless
// the button has one.
//
// Space and Enter press a focused button; reached by the keyboard it draws a focus mark.
class SkinButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit SkinButton(int controlId, QWidget* parent = nullptr);
  ~SkinButton() override;

  int controlId() const;

  void SetShapeFromBitmap(int bitmapId);
  // Only the non-white pixels of shape are part of the button: they are drawn
  // and take clicks. An all-white shape makes the button invisible and
  // unclickable.
  void SetShapeFromImage(const QImage& shape);

  // Replaces any faces loaded before; missing resources leave null faces,
  // which draw nothing. Loaded at the button's device pixel ratio, and again when that changes.
  void LoadStateBitmaps(int hoverId, int normalId, int pressedId);
  void SetStateImages(const QImage& hover, const QImage& normal, const QImage& pressed);

  void SetCaption(const QString& text, const ButtonCaption& caption);
  // What the face shows of the caption: the text, or its elided form.
  QString shownCaption() const;

  bool isHovered() const;
  bool isFocusMarkShown() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void ShowFaces(const QImage& hover, const QImage& normal, const QImage& pressed);
  void PaintFace(QPainter& painter, const QPixmap& face, QPoint offset) const;
  void LendCursorToAncestor();
  void ReturnAncestorCursor();

  const int controlId_;
  QPixmap hoverFace_;
  QPixmap normalFace_;
  QPixmap pressedFace_;
  // The bitmaps the faces came from and the ratio they were loaded at; none for given images.
  std::optional<std::array<int, 3>> faceBitmaps_;
  qreal facesRatio_ = 1.0;
  // Kept apart from mask(): Qt takes an empty mask to mean "no mask at all".
  QRegion shape_;
  std::optional<ButtonCaption> caption_;
  FittedCaption fittedCaption_;
  bool shaped_ = false;
  bool hovered_ = false;
  // The ancestor wearing this button's cursor while the pointer is over it, and what it wore.
  QPointer<QWidget> cursorBorrower_;
  std::optional<QCursor> borrowerCursor_;
  KeyboardFocusMark* focusMark_;
};

}  // namespace varnell

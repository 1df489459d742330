// The focus mark of a control reached by the keyboard: a dotted rectangle just inside its face,
// drawn while the control has the focus and the focus came from Tab, Backtab or an access key,
// never for a click. Attached to a control as its child; it watches the control's focus events
// and draws after the control has painted, on the control or (for a list) on its viewport.
// User-interface thread only.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QPainter;

namespace varnell {

class KeyboardFocusMark : public QObject {
  Q_OBJECT

 public:
  // surface is where the control paints (its viewport for a scroll area); null means control.
  explicit KeyboardFocusMark(QWidget& control, QWidget* surface = nullptr);

  // The control has the focus and got it from the keyboard.
  bool isShown() const;

  // The mark inside face: white under black dots, so it shows on a light or a dark picture.
  static void Draw(QPainter& painter, QRect face);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QRect Face() const;

  QWidget& control_;
  QPointer<QWidget> surface_;
  bool byKeyboard_ = false;
  bool painting_ = false;
};

}  // namespace varnell

#include "controls/EnterClicksButton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace varnell {
namespace {

class EnterClicksButton : public QObject {
 public:
  explicit EnterClicksButton(QPushButton& button) : QObject(&button), button_(button) {
    button.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &button_ && event->type() == QEvent::KeyPress &&
        IsEnterKey(*static_cast<QKeyEvent*>(event))) {
      if (button_.isEnabled()) button_.click();
      return true;
    }
    return false;
  }

 private:
  QPushButton& button_;
};

}  // namespace

void MakeEnterClick(QPushButton& button) { new EnterClicksButton(button); }

bool IsEnterKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers others = event.modifiers() & ~Qt::KeypadModifier;
  return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
         others == Qt::NoModifier;
}

}  // namespace varnell

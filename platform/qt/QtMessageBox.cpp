#include "platform/qt/QtMessageBox.h"

namespace varnell {

namespace {
// Qt places a dialog over its owner with a guess at the window frame, and a message box before
// its text has given it its size: on a desktop without decorations (or with others) the box
// lands off the middle. Once it has its size, it is centred on its owner's window.
class CentredMessageBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    if (parentWidget() != nullptr)
      move(pos() + parentWidget()->window()->frameGeometry().center() - frameGeometry().center());
  }
};
}  // namespace

std::unique_ptr<QMessageBox> QtMessageBox::CreateBox(const QString& text, const QString& caption,
                                                     MessageButtons buttons, QWidget* owner) {
  const QMessageBox::StandardButtons standardButtons =
      buttons == MessageButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok;
  auto box = std::make_unique<CentredMessageBox>(QMessageBox::NoIcon, EffectiveCaption(caption),
                                                 text, standardButtons, owner);
  // Message texts are plain; "<" in a file name must not turn into markup.
  box->setTextFormat(Qt::PlainText);
  box->setDefaultButton(QMessageBox::Ok);
  box->setEscapeButton(buttons == MessageButtons::OkCancel ? QMessageBox::Cancel : QMessageBox::Ok);
  if (owner == nullptr) box->setWindowModality(Qt::ApplicationModal);
  return box;
}

MessageChoice QtMessageBox::Show(const QString& text, const QString& caption,
                                 MessageButtons buttons, QWidget* owner) {
  const std::unique_ptr<QMessageBox> box = CreateBox(text, caption, buttons, owner);
  const int result = box->exec();
  if (buttons == MessageButtons::Ok) return MessageChoice::Ok;
  return result == QMessageBox::Ok ? MessageChoice::Ok : MessageChoice::Cancel;
}

}  // namespace varnell

#include "platform/qt/QtMessageBox.h"

namespace varnell {

std::unique_ptr<QMessageBox> QtMessageBox::CreateBox(const QString& text, const QString& caption,
                                                     MessageButtons buttons, QWidget* owner) {
  const QMessageBox::StandardButtons standardButtons =
      buttons == MessageButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok;
  auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, EffectiveCaption(caption), text,
                                           standardButtons, owner);
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

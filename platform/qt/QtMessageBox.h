#pragma once

#include <memory>

#include <QMessageBox>

#include "platform/MessageBox.h"

namespace varnell {

// Modal QMessageBox without an icon, like the plain Windows box it stands in
// for. Without an owner the box is application-modal.
class QtMessageBox : public MessageBox {
 public:
  MessageChoice Show(const QString& text, const QString& caption = {},
                     MessageButtons buttons = MessageButtons::Ok,
                     QWidget* owner = nullptr) override;

  // The box Show runs, configured but not shown; separate so that tests can
  // check it without entering a modal loop.
  static std::unique_ptr<QMessageBox> CreateBox(const QString& text, const QString& caption,
                                                MessageButtons buttons, QWidget* owner);
};

}  // namespace varnell

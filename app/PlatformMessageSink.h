// Lets the settings' parsers report through the program's message box (default caption).
#pragma once

#include <QString>

#include "platform/MessageBox.h"
#include "settings/MessageSink.h"

namespace varnell {

class PlatformMessageSink : public MessageSink {
 public:
  PlatformMessageSink(MessageBox& box, QWidget* owner) : box_(box), owner_(owner) {}
  void ShowMessage(const std::string& text) override {
    box_.Show(QString::fromStdString(text), QString(), MessageButtons::Ok, owner_);
  }

 private:
  MessageBox& box_;
  QWidget* owner_;
};

}  // namespace varnell

#pragma once

#include <deque>
#include <vector>

#include "platform/MessageBox.h"

namespace varnell {

// Test double: records every box instead of showing it. Each box, OK-only or
// not, takes the next scripted answer in order; with the script used up every
// box answers Ok, and an OK-only box answers Ok whatever the script says.
class RecordingMessageBox : public MessageBox {
 public:
  struct Shown {
    QString text, caption;  // caption as the user would have seen it
    MessageButtons buttons;
  };

  MessageChoice Show(const QString& text, const QString& caption = {},
                     MessageButtons buttons = MessageButtons::Ok,
                     QWidget* owner = nullptr) override;

  std::vector<Shown> shown;
  std::deque<MessageChoice> answers;
};

}  // namespace varnell

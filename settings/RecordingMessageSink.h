#pragma once

#include <string>
#include <vector>

#include "settings/MessageSink.h"

namespace varnell {

// Test double: keeps every message in arrival order instead of showing it.
class RecordingMessageSink : public MessageSink {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }

  std::vector<std::string> messages;
};

}  // namespace varnell

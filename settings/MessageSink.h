#pragma once

#include <string>

namespace varnell {

// Where the settings code reports a problem to the user. The main window
// implements it with a modal message box; the library never shows UI itself.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace varnell

#pragma once

#include <QString>

namespace varnell {

// A notice on the desktop, shown by its notification service, for the user who is looking at
// another window when a batch ends. Sending it never waits for an answer and never fails
// visibly: a desktop without a notification service shows nothing.
class DesktopNotifier {
 public:
  virtual ~DesktopNotifier() = default;
  virtual void Notify(const QString& summary, const QString& body) = 0;
};

}  // namespace varnell

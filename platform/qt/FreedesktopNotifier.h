#pragma once

#include <optional>

#include <QDBusConnection>

#include "platform/DesktopNotifier.h"

namespace varnell {

// Notices through the desktop's notification service (org.freedesktop.Notifications on the
// session bus). The call is sent without waiting for its reply, so a missing or hung service
// costs nothing; a desktop without a session bus gets no notice. User-interface thread.
class FreedesktopNotifier : public DesktopNotifier {
 public:
  // The session bus, connected on the first notice rather than at start-up.
  FreedesktopNotifier() = default;
  // Another bus with a notification service on it; tests use a private one.
  explicit FreedesktopNotifier(const QDBusConnection& bus);

  void Notify(const QString& summary, const QString& body) override;

 private:
  std::optional<QDBusConnection> bus_;
};

}  // namespace varnell

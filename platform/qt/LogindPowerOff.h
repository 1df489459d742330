#pragma once

#include <optional>

#include <QDBusConnection>

#include "platform/PowerOff.h"

namespace varnell {

// Power-off through logind (org.freedesktop.login1.Manager). Every call blocks
// the calling (user-interface) thread for at most kCallTimeoutMs, so a hung
// or missing logind costs a few seconds at the end of a batch, never a freeze.
class LogindPowerOff : public PowerOff {
 public:
  // The system bus, connected on first use rather than at start-up.
  LogindPowerOff() = default;
  // Another bus with a logind on it; tests use a private one.
  explicit LogindPowerOff(const QDBusConnection& bus);

  // Asks CanPowerOff first and only then PowerOff, without interaction: a
  // polkit password prompt cannot be answered by someone who walked away from
  // a finished batch.
  bool PowerOffComputer() override;

  // True when logind answers "yes" or "challenge"; false without a bus, without
  // logind, on any other answer or when the answer does not come in time.
  bool CanPowerOff();

  static constexpr int kCallTimeoutMs = 3000;

 private:
  QDBusConnection Bus();

  std::optional<QDBusConnection> bus_;
};

}  // namespace varnell

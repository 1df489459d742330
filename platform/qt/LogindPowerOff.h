#pragma once

#include <chrono>
#include <optional>

#include <QDBusConnection>

#include "platform/PowerOff.h"

namespace varnell {

// Power-off through logind (org.freedesktop.login1.Manager). Every call blocks
// the calling (user-interface) thread for at most the call timeout, so a hung
// or missing logind costs a few seconds at the end of a batch, never a freeze.
class LogindPowerOff : public PowerOff {
 public:
  static constexpr std::chrono::milliseconds kCallTimeout{3000};

  // The system bus, connected on first use rather than at start-up.
  LogindPowerOff() = default;
  // Another bus with a logind on it; tests use a private one, and a shorter
  // timeout where logind is not meant to answer.
  explicit LogindPowerOff(const QDBusConnection& bus,
                          std::chrono::milliseconds callTimeout = kCallTimeout);

  // Asks CanPowerOff first and only then PowerOff, without interaction: a
  // polkit password prompt cannot be answered by someone who walked away from
  // a finished batch. The refusal names the step that failed and logind's words.
  std::optional<QString> PowerOffComputer() override;

  // True when logind answers "yes" or "challenge"; false without a bus, without
  // logind, on any other answer or when the answer does not come in time.
  bool CanPowerOff() { return !CanPowerOffRefusal(); }

 private:
  QDBusConnection Bus();
  // Why CanPowerOff is false; nothing when it is true.
  std::optional<QString> CanPowerOffRefusal();

  std::optional<QDBusConnection> bus_;
  std::chrono::milliseconds callTimeout_ = kCallTimeout;
};

}  // namespace varnell

#include "platform/qt/LogindPowerOff.h"

#include <QDBusMessage>

namespace varnell {
namespace {

// Plain method calls rather than a QDBusInterface: constructing one
// introspects the service with no bound on the wait.
const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kInterface = QStringLiteral("org.freedesktop.login1.Manager");

}  // namespace

LogindPowerOff::LogindPowerOff(const QDBusConnection& bus, std::chrono::milliseconds callTimeout)
    : bus_(bus), callTimeout_(callTimeout) {}

QDBusConnection LogindPowerOff::Bus() {
  if (!bus_) bus_ = QDBusConnection::systemBus();
  return *bus_;
}

bool LogindPowerOff::CanPowerOff() {
  QDBusConnection bus = Bus();
  if (!bus.isConnected()) return false;
  const QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CanPowerOff"));
  const QDBusMessage reply = bus.call(call, QDBus::Block, static_cast<int>(callTimeout_.count()));
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) return false;
  const QVariant answer = reply.arguments().constFirst();
  if (answer.metaType() != QMetaType::fromType<QString>()) return false;
  return answer.toString() == QLatin1String("yes") ||
         answer.toString() == QLatin1String("challenge");
}

bool LogindPowerOff::PowerOffComputer() {
  if (!CanPowerOff()) return false;
  QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("PowerOff"));
  call << false;  // interactive
  const QDBusMessage reply = Bus().call(call, QDBus::Block, static_cast<int>(callTimeout_.count()));
  return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace varnell

#include "platform/qt/LogindPowerOff.h"

#include <QDBusError>
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

std::optional<QString> LogindPowerOff::CanPowerOffRefusal() {
  QDBusConnection bus = Bus();
  if (!bus.isConnected()) {
    return QStringLiteral("there is no system message bus (%1)").arg(bus.lastError().message());
  }
  const QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CanPowerOff"));
  const QDBusMessage reply = bus.call(call, QDBus::Block, static_cast<int>(callTimeout_.count()));
  if (reply.type() != QDBusMessage::ReplyMessage) {
    return QStringLiteral("logind did not answer (%1)").arg(reply.errorMessage());
  }
  const QVariant answer =
      reply.arguments().size() == 1 ? reply.arguments().constFirst() : QVariant();
  if (answer.metaType() != QMetaType::fromType<QString>()) {
    return QStringLiteral("logind gave an answer that is not one");
  }
  if (answer.toString() == QLatin1String("yes") ||
      answer.toString() == QLatin1String("challenge")) {
    return std::nullopt;
  }
  return QStringLiteral("logind does not allow it (it answers \"%1\")").arg(answer.toString());
}

std::optional<QString> LogindPowerOff::PowerOffComputer() {
  if (std::optional<QString> refusal = CanPowerOffRefusal()) return refusal;
  QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("PowerOff"));
  call << false;  // interactive
  const QDBusMessage reply = Bus().call(call, QDBus::Block, static_cast<int>(callTimeout_.count()));
  if (reply.type() == QDBusMessage::ReplyMessage) return std::nullopt;
  return QStringLiteral("logind refused it (%1)").arg(reply.errorMessage());
}

}  // namespace varnell

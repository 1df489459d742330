#include "platform/qt/FreedesktopNotifier.h"

#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace varnell {

FreedesktopNotifier::FreedesktopNotifier(const QDBusConnection& bus) : bus_(bus) {}

void FreedesktopNotifier::Notify(const QString& summary, const QString& body) {
  if (!bus_) bus_ = QDBusConnection::sessionBus();
  if (!bus_->isConnected()) return;
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.Notifications"),
      QStringLiteral("/org/freedesktop/Notifications"),
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
  // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (the
  // service's default).
  call << QStringLiteral("Varnell") << 0u << QStringLiteral("varnell") << summary << body
       << QStringList() << QVariantMap() << -1;
  // No auto-start: a desktop without the service stays without it.
  call.setAutoStartService(false);
  bus_->send(call);
}

}  // namespace varnell

// The end-of-batch notice against a notification service stand-in on a private message bus: the
// call it makes, and that a bus without the service takes the notice without a word.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QTest>

#include "PrivateMessageBus.h"
#include "platform/qt/FreedesktopNotifier.h"

namespace varnell {
namespace {

// Keeps the arguments of every Notify call and answers with a notice id.
class RecordingNotificationService : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.interface() != "org.freedesktop.Notifications" || message.member() != "Notify")
      return false;
    calls.push_back(message.arguments());
    connection.send(message.createReply(QVariant::fromValue(1u)));
    return true;
  }

  std::vector<QVariantList> calls;
};

TEST(FreedesktopNotifier, SendsNotifyToTheServiceAndNothingWithoutIt) {
  const testing::PrivateMessageBus bus;
  if (bus.address().isEmpty()) GTEST_SKIP() << "no private message bus (dbus-daemon) available";
  QDBusConnection client = QDBusConnection::connectToBus(bus.address(), "notifier-client");
  ASSERT_TRUE(client.isConnected());
  FreedesktopNotifier notifier(client);
  // No service yet: the notice goes nowhere, and nothing waits for it.
  notifier.Notify("Varnell", "before the service");
  // A call after it on the same connection: once answered, the bus has turned the notice away.
  EXPECT_FALSE(client.interface()->isServiceRegistered("org.freedesktop.Notifications").value());

  RecordingNotificationService service;
  {
    QDBusConnection serviceSide =
        QDBusConnection::connectToBus(bus.address(), "notification-service");
    ASSERT_TRUE(serviceSide.registerVirtualObject("/org/freedesktop/Notifications", &service));
    ASSERT_TRUE(serviceSide.registerService("org.freedesktop.Notifications"));
    notifier.Notify("Varnell", "2 files converted, 1 failed. Point at a Failure to see why.");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !service.calls.empty(); }));
    serviceSide.unregisterObject("/org/freedesktop/Notifications");
  }
  QDBusConnection::disconnectFromBus("notification-service");
  QDBusConnection::disconnectFromBus("notifier-client");

  ASSERT_EQ(service.calls.size(), 1u);
  const QVariantList& call = service.calls[0];
  ASSERT_EQ(call.size(), 8);
  EXPECT_EQ(call[0].toString(), "Varnell");  // app_name
  EXPECT_EQ(call[1].toUInt(), 0u);           // replaces_id
  EXPECT_EQ(call[3].toString(), "Varnell");  // summary
  EXPECT_EQ(call[4].toString(), "2 files converted, 1 failed. Point at a Failure to see why.");
  EXPECT_EQ(call[7].toInt(), -1);  // the service's own expiry
}

}  // namespace
}  // namespace varnell

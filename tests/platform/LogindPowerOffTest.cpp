// The power-off query against a logind stand-in on a private message bus. The
// power-off request goes only to the stand-in, which refuses it; none reaches the system bus.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QTest>
#include <QThread>

#include "PrivateMessageBus.h"
#include "QStringPrinter.h"
#include "TempFolder.h"
#include "platform/qt/LogindPowerOff.h"

namespace varnell {
namespace {

// Answers CanPowerOff with a fixed reply, or never when `reply` is empty;
// refuses every other call.
class FakeLogind : public QDBusVirtualObject {
 public:
  explicit FakeLogind(QVariant reply) : reply_(std::move(reply)) {}

  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.path() != "/org/freedesktop/login1" ||
        message.interface() != "org.freedesktop.login1.Manager") {
      return false;
    }
    if (message.member() != "CanPowerOff") {
      ++otherCalls;
      connection.send(message.createErrorReply(QDBusError::AccessDenied, "tests never power off"));
      return true;
    }
    ++canPowerOffCalls;
    if (reply_.isValid()) connection.send(message.createReply(reply_));
    return true;
  }

  std::atomic<int> canPowerOffCalls{0}, otherCalls{0};

 private:
  const QVariant reply_;
};

class LogindPowerOffQuery : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    bus_ = new testing::PrivateMessageBus;
    address_ = bus_->address();
    serviceThread_ = new QThread;
    serviceThread_->start();
  }

  static void TearDownTestSuite() {
    serviceThread_->quit();
    serviceThread_->wait();
    delete serviceThread_;
    delete bus_;
    serviceThread_ = nullptr;
    bus_ = nullptr;
  }

  void SetUp() override {
    if (address_.isEmpty()) GTEST_SKIP() << "no private message bus (dbus-daemon) available";
  }

  void TearDown() override { RemoveLogind(); }

  // Lets the next query of the same test meet a fresh logind.
  void RemoveLogind() {
    if (!fake_) return;
    QDBusConnection service(kServiceConnection);
    service.unregisterObject("/org/freedesktop/login1");
    service.unregisterService("org.freedesktop.login1");
    QDBusConnection::disconnectFromBus(kServiceConnection);
    QDBusConnection::disconnectFromBus(kClientConnection);
    fake_.reset();
  }

  bool QueryWithLogindAnswering(
      const QVariant& reply, std::chrono::milliseconds callTimeout = LogindPowerOff::kCallTimeout) {
    return OnLogindAnswering(reply, callTimeout).CanPowerOff();
  }

  // Puts a logind answering `reply` on the private bus and returns a power-off that asks it.
  LogindPowerOff OnLogindAnswering(
      const QVariant& reply, std::chrono::milliseconds callTimeout = LogindPowerOff::kCallTimeout) {
    fake_ = std::make_unique<FakeLogind>(reply);
    fake_->moveToThread(serviceThread_);  // answers while the query blocks this thread
    QDBusConnection service = QDBusConnection::connectToBus(address_, kServiceConnection);
    EXPECT_TRUE(service.isConnected());
    EXPECT_TRUE(service.registerVirtualObject("/org/freedesktop/login1", fake_.get()));
    EXPECT_TRUE(service.registerService("org.freedesktop.login1"));
    return LogindPowerOff(QDBusConnection::connectToBus(address_, kClientConnection), callTimeout);
  }

  std::unique_ptr<FakeLogind> fake_;

  static inline const QString kServiceConnection = "fake-logind-service",
                              kClientConnection = "fake-logind-client";
  static inline testing::PrivateMessageBus* bus_ = nullptr;
  static inline QThread* serviceThread_ = nullptr;
  static inline QString address_;
};

TEST_F(LogindPowerOffQuery, AllowedWhenLogindSaysYesOrChallenge) {
  EXPECT_TRUE(QueryWithLogindAnswering(QString("yes")));
  RemoveLogind();
  EXPECT_TRUE(QueryWithLogindAnswering(QString("challenge")));
  EXPECT_EQ(fake_->canPowerOffCalls, 1);
  EXPECT_EQ(fake_->otherCalls, 0);
}

// A refusal says why, in words the end of a batch can show; PowerOff is asked only after a yes.
TEST_F(LogindPowerOffQuery, RefusedOnAnyOtherAnswer) {
  for (const QVariant& reply : {QVariant(QString("no")), QVariant(QString("na")), QVariant(true)}) {
    EXPECT_FALSE(QueryWithLogindAnswering(reply)) << reply.toString().toStdString();
    EXPECT_EQ(fake_->canPowerOffCalls, 1) << "the query did not reach logind";
    RemoveLogind();
  }
  EXPECT_EQ(OnLogindAnswering(QString("no")).PowerOffComputer(),
            "logind does not allow it (it answers \"no\")");
  EXPECT_EQ(fake_->otherCalls, 0);
  RemoveLogind();
  EXPECT_EQ(OnLogindAnswering(QString("yes")).PowerOffComputer(),
            "logind refused it (tests never power off)");
  EXPECT_EQ(fake_->otherCalls, 1);
}

// The query waits only as long as it is told, never the bus's own 25 s; a
// short wait keeps this test from sitting out the real one.
TEST_F(LogindPowerOffQuery, GivesUpOnALogindThatDoesNotAnswer) {
  EXPECT_FALSE(QueryWithLogindAnswering(QVariant(), std::chrono::milliseconds(50)));
  // The query may give up before the call has even reached logind.
  EXPECT_TRUE(QTest::qWaitFor([this] { return fake_->canPowerOffCalls == 1; }));
}

TEST(LogindPowerOffWithoutSystemBus, RefusesInsteadOfWaiting) {
  testing::TempFolder folder;
  const QByteArray previous = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
  const bool hadPrevious = qEnvironmentVariableIsSet("DBUS_SYSTEM_BUS_ADDRESS");
  qputenv("DBUS_SYSTEM_BUS_ADDRESS",
          QByteArray::fromStdString("unix:path=" + (folder / "no-such-socket")));
  EXPECT_FALSE(LogindPowerOff().CanPowerOff());
  // The request itself only on a bus that is not there, never the system bus.
  const std::optional<QString> refusal =
      LogindPowerOff(
          QDBusConnection::connectToBus(
              QString::fromStdString("unix:path=" + (folder / "no-such-socket")), "no-bus"))
          .PowerOffComputer();
  QDBusConnection::disconnectFromBus("no-bus");
  ASSERT_TRUE(refusal);
  EXPECT_TRUE(refusal->startsWith("there is no system message bus")) << refusal->toStdString();
  if (hadPrevious) {
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", previous);
  } else {
    qunsetenv("DBUS_SYSTEM_BUS_ADDRESS");
  }
}

}  // namespace
}  // namespace varnell

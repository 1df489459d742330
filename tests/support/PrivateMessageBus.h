// A D-Bus message bus of the test's own (a dbus-daemon in a temporary folder), so that services
// the program talks to can be stood in for without touching the user's buses. Its address is
// empty when dbus-daemon is missing or does not start; the test then skips.
#pragma once

#include <sys/prctl.h>

#include <csignal>

#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include "TempFolder.h"

namespace varnell::testing {

class PrivateMessageBus {
 public:
  PrivateMessageBus() {
    if (QStandardPaths::findExecutable("dbus-daemon").isEmpty()) return;
    // A crashed test must not leave its bus behind.
    daemon_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    daemon_.start("dbus-daemon",
                  {"--session", "--nofork", "--nopidfile", "--print-address",
                   QString::fromStdString("--address=unix:path=" + (folder_ / "bus"))});
    if (daemon_.waitForStarted(5000) && daemon_.waitForReadyRead(5000)) {
      address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
  }
  PrivateMessageBus(const PrivateMessageBus&) = delete;
  PrivateMessageBus& operator=(const PrivateMessageBus&) = delete;
  ~PrivateMessageBus() {
    daemon_.kill();
    daemon_.waitForFinished(5000);
  }

  const QString& address() const { return address_; }

 private:
  TempFolder folder_;
  QProcess daemon_;
  QString address_;
};

}  // namespace varnell::testing

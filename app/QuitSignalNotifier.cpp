#include "app/QuitSignalNotifier.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace varnell {
namespace {

constexpr int kQuitSignals[] = {SIGTERM, SIGHUP};

// The handler's end of the socket pair; -1 while no notifier lives.
std::atomic<int> handlerSocket{-1};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void WakeUserInterface(int) {
  const int saved = errno;
  const int socket = handlerSocket.load();
  const char byte = 1;
  // A full socket already holds a wake-up; the byte may be dropped.
  if (socket >= 0 && ::write(socket, &byte, 1) < 0) {
  }
  errno = saved;
}

void SetHandler(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (const int signal : kQuitSignals) sigaction(signal, &action, nullptr);
}

}  // namespace

QuitSignalNotifier::QuitSignalNotifier(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, sockets_) != 0) {
    // Without the pair the signals keep their default action: the program ends as before.
    sockets_[0] = sockets_[1] = -1;
    return;
  }
  notifier_ = std::make_unique<QSocketNotifier>(sockets_[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &QuitSignalNotifier::Drain);
  handlerSocket.store(sockets_[1]);
  SetHandler(WakeUserInterface);
}

QuitSignalNotifier::~QuitSignalNotifier() {
  if (sockets_[0] < 0) return;
  SetHandler(SIG_DFL);
  handlerSocket.store(-1);
  notifier_.reset();
  ::close(sockets_[0]);
  ::close(sockets_[1]);
}

// Several signals before the loop looked are one request.
void QuitSignalNotifier::Drain() {
  char bytes[64];
  while (::read(sockets_[0], bytes, sizeof bytes) > 0) {
  }
  emit quitRequested();
}

}  // namespace varnell

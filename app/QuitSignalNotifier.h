// SIGTERM and SIGHUP (the session ending, a `kill`) brought to the user-interface thread: the
// handler only writes a byte to a socket pair, whose other end a QSocketNotifier watches on the
// thread that made this object; quitRequested() is emitted there. While the object lives it
// owns the two signals' handling; its destruction gives them their default action back. One
// object at a time.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace varnell {

class QuitSignalNotifier : public QObject {
  Q_OBJECT
 public:
  explicit QuitSignalNotifier(QObject* parent = nullptr);
  ~QuitSignalNotifier() override;

 signals:
  void quitRequested();

 private:
  void Drain();

  int sockets_[2] = {-1, -1};  // [0] read here, [1] written by the handler
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace varnell

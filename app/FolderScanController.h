// Scans folders for the task list on a thread of its own, so the window keeps answering while a
// library is read and probed. Each file found and the end of each scan reach the user-interface
// thread as queued calls of onFound and onFinished.
//
// Threads: made, used and destroyed on the user-interface thread; the scan thread runs
// ScanFolder and only posts calls back to it. cancel_ is the one field both threads touch. The
// destructor cancels a running scan and joins its thread; calls still queued then are dropped
// with this object.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <thread>

#include "library/FolderScan.h"

namespace varnell {

class FolderScanController : public QObject {
  Q_OBJECT
 public:
  FolderScanController() = default;
  ~FolderScanController() override;

  // Scans the folders one after another; only while no scan runs.
  void Start(const QStringList& folders);
  void Cancel() { cancel_ = true; }
  bool scanning() const { return scanning_; }

  std::function<void(const ScannedFile&)> onFound;
  // After the last folder, or after a cancel: the counts of all of them together.
  std::function<void(const FolderScanCount&)> onFinished;

 private:
  void Finish(const FolderScanCount& count);
  void Join();

  std::thread thread_;
  std::atomic<bool> cancel_ = false;
  bool scanning_ = false;  // user-interface thread only
};

}  // namespace varnell

// Scans folders for the task list on a thread of its own, so the window keeps answering while a
// library is read and probed. The files found reach the user-interface thread in deliveries of
// at most rowsPerDelivery files, one queued call at a time: each delivery posts the next, so the
// window's timers, painting and the user's clicks are handled between two deliveries however far
// the scan runs ahead of the rows being inserted. onFinished follows the last delivery.
//
// Threads: made, used and destroyed on the user-interface thread; the scan thread runs
// ScanFolder, queues what it finds and posts the deliveries. The two threads share cancel_ and,
// under mutex_, found_, deliveryPosted_ and total_. The destructor cancels a running scan and
// joins its thread; the deliveries still queued then are dropped with this object.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "library/FolderScan.h"

namespace varnell {

class FolderScanController : public QObject {
  Q_OBJECT
 public:
  // About what the task list inserts in a few milliseconds.
  static constexpr int kRowsPerDelivery = 40;

  explicit FolderScanController(int rowsPerDelivery = kRowsPerDelivery);
  ~FolderScanController() override;

  // Scans the folders one after another; only while no scan runs.
  void Start(const QStringList& folders);
  void Cancel() { cancel_ = true; }
  // From Start until onFinished has been called.
  bool scanning() const { return scanning_; }
  // True once the scan thread has read the last folder; its files may still be on their way.
  bool scanThreadEnded() const;

  // The files found since the last delivery, in the scan's order.
  std::function<void(const std::vector<ScannedFile>&)> onFound;
  // After the last folder, or after a cancel: the counts of all of them together.
  std::function<void(const FolderScanCount&)> onFinished;

 private:
  void Queue(ScannedFile file);                // scan thread
  void EndScan(const FolderScanCount& total);  // scan thread
  void PostDelivery();                         // either thread
  void Deliver();                              // user-interface thread
  void Finish(const FolderScanCount& count);
  void Join();

  const std::size_t rowsPerDelivery_;
  std::thread thread_;
  std::atomic<bool> cancel_ = false;
  bool scanning_ = false;  // user-interface thread only
  mutable std::mutex mutex_;
  std::deque<ScannedFile> found_;         // guarded by mutex_
  bool deliveryPosted_ = false;           // guarded by mutex_
  std::optional<FolderScanCount> total_;  // guarded by mutex_; set as the scan thread ends
};

}  // namespace varnell

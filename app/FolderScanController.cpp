#include "app/FolderScanController.h"

#include <QMetaObject>
#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

namespace varnell {

FolderScanController::FolderScanController(int rowsPerDelivery)
    : rowsPerDelivery_(static_cast<std::size_t>(std::max(1, rowsPerDelivery))) {}

FolderScanController::~FolderScanController() {
  Cancel();
  Join();
}

void FolderScanController::Join() {
  if (thread_.joinable()) thread_.join();
}

bool FolderScanController::scanThreadEnded() const {
  const std::lock_guard lock(mutex_);
  return total_.has_value();
}

void FolderScanController::Start(const QStringList& folders) {
  if (scanning_) return;
  Join();  // a finished scan's thread has returned
  cancel_ = false;
  scanning_ = true;
  {
    const std::lock_guard lock(mutex_);
    found_.clear();
    total_.reset();
  }
  std::vector<std::string> paths;
  for (const QString& folder : folders) paths.push_back(folder.toStdString());
  thread_ = std::thread([this, paths = std::move(paths)] {
    FolderScanCount total;
    for (const std::string& path : paths) {
      const FolderScanCount count =
          ScanFolder(path, cancel_, [this](const ScannedFile& file) { Queue(file); });
      total.accepted += count.accepted;
      total.notAudio += count.notAudio;
      total.cancelled = total.cancelled || count.cancelled;
      if (total.cancelled) break;
    }
    EndScan(total);
  });
}

// One delivery at a time is posted: a scan far ahead of the rows queues files, not events.
void FolderScanController::Queue(ScannedFile file) {
  bool post = false;
  {
    const std::lock_guard lock(mutex_);
    found_.push_back(std::move(file));
    post = !std::exchange(deliveryPosted_, true);
  }
  if (post) PostDelivery();
}

void FolderScanController::EndScan(const FolderScanCount& total) {
  bool post = false;
  {
    const std::lock_guard lock(mutex_);
    total_ = total;
    post = !std::exchange(deliveryPosted_, true);
  }
  if (post) PostDelivery();
}

void FolderScanController::PostDelivery() {
  QMetaObject::invokeMethod(
      this, [this] { Deliver(); }, Qt::QueuedConnection);
}

// A call posted while the event loop delivers posted calls waits for its next pass, after the
// timers and input that came meanwhile; so does the delivery after this one.
void FolderScanController::Deliver() {
  std::vector<ScannedFile> files;
  std::optional<FolderScanCount> ended;
  bool more = false;
  {
    const std::lock_guard lock(mutex_);
    const auto end =
        found_.begin() + static_cast<std::ptrdiff_t>(std::min(found_.size(), rowsPerDelivery_));
    files.assign(std::make_move_iterator(found_.begin()), std::make_move_iterator(end));
    found_.erase(found_.begin(), end);
    more = !found_.empty();
    deliveryPosted_ = more;
    if (!more) ended = total_;
  }
  if (more) PostDelivery();
  if (!files.empty() && onFound) onFound(files);
  if (ended) Finish(*ended);
}

void FolderScanController::Finish(const FolderScanCount& count) {
  scanning_ = false;
  Join();
  if (onFinished) onFinished(count);
}

}  // namespace varnell

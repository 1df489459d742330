#include "app/FolderScanController.h"

#include <QMetaObject>
#include <string>
#include <vector>

namespace varnell {

FolderScanController::~FolderScanController() {
  Cancel();
  Join();
}

void FolderScanController::Join() {
  if (thread_.joinable()) thread_.join();
}

void FolderScanController::Start(const QStringList& folders) {
  if (scanning_) return;
  Join();  // a finished scan's thread has returned or is about to
  cancel_ = false;
  scanning_ = true;
  std::vector<std::string> paths;
  for (const QString& folder : folders) paths.push_back(folder.toStdString());
  thread_ = std::thread([this, paths = std::move(paths)] {
    FolderScanCount total;
    for (const std::string& path : paths) {
      const FolderScanCount count = ScanFolder(path, cancel_, [this](const ScannedFile& file) {
        QMetaObject::invokeMethod(
            this,
            [this, file] {
              if (onFound) onFound(file);
            },
            Qt::QueuedConnection);
      });
      total.accepted += count.accepted;
      total.notAudio += count.notAudio;
      total.cancelled = total.cancelled || count.cancelled;
      if (total.cancelled) break;
    }
    QMetaObject::invokeMethod(
        this, [this, total] { Finish(total); }, Qt::QueuedConnection);
  });
}

void FolderScanController::Finish(const FolderScanCount& count) {
  scanning_ = false;
  Join();
  if (onFinished) onFinished(count);
}

}  // namespace varnell

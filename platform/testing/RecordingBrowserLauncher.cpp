#include "platform/testing/RecordingBrowserLauncher.h"

namespace varnell {

bool RecordingBrowserLauncher::Launch(const QString& url) {
  launched.push_back(url);
  lastFailure_ = result ? LaunchFailure::None : failure;
  return result;
}

LaunchFailure RecordingBrowserLauncher::LastFailure() const { return lastFailure_; }

}  // namespace varnell

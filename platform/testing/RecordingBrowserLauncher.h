#pragma once

#include <vector>

#include "platform/BrowserLauncher.h"

namespace varnell {

// Test double: records every address, starts nothing, answers `result`; a
// failed launch reports `failure`.
class RecordingBrowserLauncher : public BrowserLauncher {
 public:
  bool Launch(const QString& url) override;
  LaunchFailure LastFailure() const override;

  std::vector<QString> launched;
  bool result = true;
  LaunchFailure failure = LaunchFailure::NoDefaultBrowser;

 private:
  LaunchFailure lastFailure_ = LaunchFailure::None;
};

}  // namespace varnell

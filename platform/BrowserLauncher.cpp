#include "platform/BrowserLauncher.h"

namespace varnell {

BrowserLauncher::~BrowserLauncher() = default;

LaunchFailure BrowserLauncher::LastFailure() const { return LaunchFailure::NoDefaultBrowser; }

}  // namespace varnell

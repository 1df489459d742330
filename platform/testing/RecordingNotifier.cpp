#include "platform/testing/RecordingNotifier.h"

namespace varnell {

void RecordingNotifier::Notify(const QString& summary, const QString& body) {
  notices.emplace_back(summary, body);
}

}  // namespace varnell

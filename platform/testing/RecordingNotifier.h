#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "platform/DesktopNotifier.h"

namespace varnell {

// Test double: keeps every notice, shows none.
class RecordingNotifier : public DesktopNotifier {
 public:
  void Notify(const QString& summary, const QString& body) override;

  std::vector<std::pair<QString, QString>> notices;  // summary, body
};

}  // namespace varnell

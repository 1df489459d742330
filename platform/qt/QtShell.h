#pragma once

#include <QUrl>

#include "platform/Shell.h"

namespace varnell {

class QtShell : public Shell {
 public:
  bool Open(const QString& pathOrUrl) override;

  // What Open hands to the desktop: "http://", "https://" and "file://"
  // addresses as they are, anything else as a local path (relative ones
  // against the current folder). Empty text gives an empty URL.
  static QUrl UrlFor(const QString& pathOrUrl);
};

}  // namespace varnell

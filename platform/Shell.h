#pragma once

#include <QString>

namespace varnell {

// Opens a folder, a web page or a file with the desktop's default
// application. Returns whether the desktop accepted the request; it does not
// wait for the application.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool Open(const QString& pathOrUrl) = 0;
};

}  // namespace varnell

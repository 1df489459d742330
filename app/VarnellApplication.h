// The application object: prepares the process, runs the main window modally (its loop is the
// program's only one) and ends when the window closes.
#pragma once

#include <QApplication>

#include "app/ApplicationState.h"

namespace varnell {

class VarnellApplication : public QApplication {
 public:
  VarnellApplication(int& argc, char** argv);
  // Start-up and the main window's run; returns the process's exit status.
  int InitInstance();

 private:
  ApplicationState state_;
};

}  // namespace varnell

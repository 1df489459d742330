#pragma once

#include "platform/BrowserLauncher.h"
#include "platform/DesktopNotifier.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/PowerOff.h"
#include "platform/Shell.h"

namespace varnell {

// The services the main window is given: the real ones from main(), test
// doubles in tests. The referenced objects outlive the window.
struct Platform {
  MessageBox& messages;
  FileDialogs& fileDialogs;
  Shell& shell;
  PowerOff& powerOff;
  BrowserLauncher& browser;  // where links go when the shell cannot open them
  // Where the end of a batch is told when the window is not the active one; none: not told.
  DesktopNotifier* notifier = nullptr;
};

}  // namespace varnell

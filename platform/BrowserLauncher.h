#pragma once

#include <QString>

namespace varnell {

// Why the last launch did not start a browser, in the terms a caller can
// explain to the user.
enum class LaunchFailure {
  None,
  NoDefaultBrowser,       // no browser is named for web addresses, or its entry is not installed
  EntryUnreadable,        // the browser's desktop entry exists but could not be read
  EntryIncomplete,        // the entry has no Exec line that names a program
  ProgramNotFound,        // the program the entry names does not exist
  ProgramFolderNotFound,  // not even the folder the entry names for the program exists
  ProgramNotExecutable,   // the program exists but may not be run
  ProgramFailedToStart,   // the program could not be started, e.g. it is no executable at all
};

// Starts the desktop's default web browser on an address: the fallback for
// when the desktop shell could not open the address itself. Called on the
// user-interface thread; Launch returns once the browser has been started,
// without waiting for it.
class BrowserLauncher {
 public:
  virtual ~BrowserLauncher();
  virtual bool Launch(const QString& url) = 0;
  // The reason the last Launch returned false. A launcher that cannot tell
  // answers NoDefaultBrowser, the answer that promises least.
  virtual LaunchFailure LastFailure() const;
};

}  // namespace varnell

// Opening a folder, a local page or a web address for the user, with the fallback a page has when
// the desktop shell cannot open it: the default web browser. Called on the user-interface thread.
#pragma once

#include <QString>
#include <optional>

namespace varnell {

class BrowserLauncher;
class Shell;

enum class OpenTarget { Folder, Page };

// Empty when something opened the target; otherwise why nothing could, in words for a message
// box. A page (a web address or a local .html file) that the shell cannot open goes to the
// browser; a folder has no such fallback.
std::optional<QString> OpenForUser(Shell& shell, BrowserLauncher& browser, const QString& target,
                                   OpenTarget kind);

// The message a window shows when OpenForUser failed.
QString CannotOpenMessage(const QString& target, const QString& reason);

}  // namespace varnell

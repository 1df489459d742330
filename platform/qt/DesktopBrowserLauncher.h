#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "platform/BrowserLauncher.h"

namespace varnell {

// Starts the browser the desktop names for web addresses: the desktop entry
// that `xdg-mime query default x-scheme-handler/http` answers, run as its Exec
// line says with the address as an argument of its own. The program is
// started directly, never through a shell, so no character of the address is
// interpreted. Used on the user-interface thread; Launch may wait up to
// kQueryTimeoutMs for xdg-mime.
class DesktopBrowserLauncher : public BrowserLauncher {
 public:
  // Answers the desktop file id of the default web browser, or empty text.
  using DefaultBrowserQuery = std::function<QString()>;

  // What Launch runs, or why it runs nothing (program and arguments are then empty).
  struct Command {
    LaunchFailure failure = LaunchFailure::None;
    QString program;  // absolute path
    QStringList arguments;
  };

  static constexpr int kQueryTimeoutMs = 5000;

  // Asks xdg-mime and looks in this session's application folders.
  DesktopBrowserLauncher();
  DesktopBrowserLauncher(DefaultBrowserQuery query, QStringList applicationFolders);

  bool Launch(const QString& url) override;
  LaunchFailure LastFailure() const override;

  // Looks everything up as Launch does, without starting anything.
  Command CommandFor(const QString& url) const;

  // Runs xdg-mime; empty text when it is missing, fails or names nothing.
  static QString AskXdgMimeForDefaultBrowser();

 private:
  DefaultBrowserQuery query_;
  QStringList applicationFolders_;
  LaunchFailure lastFailure_ = LaunchFailure::None;
};

}  // namespace varnell

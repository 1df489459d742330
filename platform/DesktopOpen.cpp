#include "platform/DesktopOpen.h"

#include <QCoreApplication>
#include <QUrl>

#include "platform/BrowserLauncher.h"
#include "platform/Shell.h"

namespace varnell {
namespace {

QString DescribeLaunchFailure(LaunchFailure failure) {
  switch (failure) {
    case LaunchFailure::EntryUnreadable:
      return QCoreApplication::translate(
          "varnell::DesktopOpen",
          "The desktop entry of the default web browser could not be read.");
    case LaunchFailure::EntryIncomplete:
      return QCoreApplication::translate(
          "varnell::DesktopOpen", "The desktop entry of the default web browser names no program.");
    case LaunchFailure::ProgramNotFound:
    case LaunchFailure::ProgramFolderNotFound:
      return QCoreApplication::translate("varnell::DesktopOpen",
                                         "The program of the default web browser was not found.");
    case LaunchFailure::ProgramNotExecutable:
      return QCoreApplication::translate("varnell::DesktopOpen",
                                         "The program of the default web browser may not be run.");
    case LaunchFailure::ProgramFailedToStart:
      return QCoreApplication::translate("varnell::DesktopOpen",
                                         "The default web browser could not be started.");
    case LaunchFailure::None:
    case LaunchFailure::NoDefaultBrowser:
      break;
  }
  return QCoreApplication::translate(
      "varnell::DesktopOpen",
      "The desktop has no program for web pages and no default web browser is set.");
}

// The browser is given an address: a local page becomes a file URL.
QString BrowserAddress(const QString& target) {
  if (target.contains(QStringLiteral("://"))) return target;
  return QUrl::fromLocalFile(target).toString();
}

}  // namespace

std::optional<QString> OpenForUser(Shell& shell, BrowserLauncher& browser, const QString& target,
                                   OpenTarget kind) {
  if (shell.Open(target)) return std::nullopt;
  if (kind == OpenTarget::Folder) {
    return QCoreApplication::translate("varnell::DesktopOpen",
                                       "The desktop has no program that opens folders.");
  }
  if (browser.Launch(BrowserAddress(target))) return std::nullopt;
  return DescribeLaunchFailure(browser.LastFailure());
}

QString CannotOpenMessage(const QString& target, const QString& reason) {
  return QCoreApplication::translate("varnell::DesktopOpen", "Can not open %1\n\n%2")
      .arg(target, reason);
}

}  // namespace varnell

#include "platform/qt/DesktopBrowserLauncher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <optional>
#include <utility>

#include "platform/qt/DesktopEntry.h"

namespace varnell {

namespace {

// The program an Exec line names, as an absolute path, or why it cannot be run.
std::pair<LaunchFailure, QString> ResolveProgram(const QString& program) {
  if (!program.contains(u'/')) {
    const QString found = QStandardPaths::findExecutable(program);
    return found.isEmpty() ? std::pair{LaunchFailure::ProgramNotFound, QString()}
                           : std::pair{LaunchFailure::None, found};
  }
  const QFileInfo file(program);
  if (!file.exists()) {
    return {
        file.dir().exists() ? LaunchFailure::ProgramNotFound : LaunchFailure::ProgramFolderNotFound,
        {}};
  }
  if (!file.isFile() || !file.isExecutable()) return {LaunchFailure::ProgramNotExecutable, {}};
  return {LaunchFailure::None, file.absoluteFilePath()};
}

DesktopBrowserLauncher::Command Failed(LaunchFailure failure) { return {failure, {}, {}}; }

}  // namespace

DesktopBrowserLauncher::DesktopBrowserLauncher()
    : DesktopBrowserLauncher(&DesktopBrowserLauncher::AskXdgMimeForDefaultBrowser,
                             ApplicationFoldersOfThisSession()) {}

DesktopBrowserLauncher::DesktopBrowserLauncher(DefaultBrowserQuery query,
                                               QStringList applicationFolders)
    : query_(std::move(query)), applicationFolders_(std::move(applicationFolders)) {}

DesktopBrowserLauncher::Command DesktopBrowserLauncher::CommandFor(const QString& url) const {
  const QString entryPath =
      FindDesktopEntry(query_ ? query_().trimmed() : QString(), applicationFolders_);
  if (entryPath.isEmpty()) return Failed(LaunchFailure::NoDefaultBrowser);

  // The command line is built only from an entry read in full: a half-read
  // Exec value could name some other program.
  QFile entry(entryPath);
  if (!entry.open(QIODevice::ReadOnly)) return Failed(LaunchFailure::EntryUnreadable);
  const QByteArray bytes = entry.readAll();
  if (entry.error() != QFileDevice::NoError) return Failed(LaunchFailure::EntryUnreadable);

  const std::optional<QString> exec = ReadDesktopEntryExec(QString::fromUtf8(bytes));
  if (!exec) return Failed(LaunchFailure::EntryIncomplete);
  std::optional<QStringList> commandLine = BrowserCommandLine(*exec, url);
  if (!commandLine) return Failed(LaunchFailure::EntryIncomplete);

  const auto [failure, program] = ResolveProgram(commandLine->takeFirst());
  if (failure != LaunchFailure::None) return Failed(failure);
  return {LaunchFailure::None, program, *commandLine};
}

bool DesktopBrowserLauncher::Launch(const QString& url) {
  const Command command = CommandFor(url);
  lastFailure_ = command.failure;
  if (lastFailure_ != LaunchFailure::None) return false;
  if (!QProcess::startDetached(command.program, command.arguments)) {
    lastFailure_ = LaunchFailure::ProgramFailedToStart;
    return false;
  }
  return true;
}

LaunchFailure DesktopBrowserLauncher::LastFailure() const { return lastFailure_; }

QString DesktopBrowserLauncher::AskXdgMimeForDefaultBrowser() {
  QProcess xdgMime;
  xdgMime.start(
      QStringLiteral("xdg-mime"),
      {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/http")},
      QIODevice::ReadOnly);
  if (!xdgMime.waitForFinished(kQueryTimeoutMs)) {
    // Not started, or hanging: the kill is a no-op in the first case.
    xdgMime.kill();
    xdgMime.waitForFinished();
    return {};
  }
  if (xdgMime.exitStatus() != QProcess::NormalExit || xdgMime.exitCode() != 0) return {};
  const QString answer = QString::fromUtf8(xdgMime.readAllStandardOutput());
  return answer.section(u'\n', 0, 0).trimmed();
}

}  // namespace varnell

#include "platform/UserFolders.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace varnell {

namespace {
// xdg-user-dir is a small shell script; it answers at once or not at all.
constexpr int kToolWaitMilliseconds = 3000;

QString AskXdgUserDir(const QString& name) {
  const QString tool = QStandardPaths::findExecutable("xdg-user-dir");
  if (tool.isEmpty()) return {};
  QProcess process;
  process.start(tool, {name});
  if (!process.waitForFinished(kToolWaitMilliseconds) ||
      process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    process.kill();
    process.waitForFinished(kToolWaitMilliseconds);
    return {};
  }
  return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

bool SameFolder(const QString& a, const QString& b) {
  return QDir::cleanPath(a) == QDir::cleanPath(b);
}
}  // namespace

UserEnvironment CurrentUserEnvironment() {
  UserEnvironment user;
  user.home = qEnvironmentVariable("HOME", QDir::homePath());
  user.configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
  user.musicFolder = AskXdgUserDir("MUSIC");
  if (user.musicFolder.isEmpty()) user.musicFolder = qEnvironmentVariable("XDG_MUSIC_DIR");
  return user;
}

QString ConfigFolder(const UserEnvironment& user) {
  if (QDir::isAbsolutePath(user.configHome)) return QDir::cleanPath(user.configHome);
  return QDir::cleanPath(user.home + "/.config");
}

QString MusicFolder(const UserEnvironment& user) {
  if (QDir::isAbsolutePath(user.musicFolder) && !SameFolder(user.musicFolder, user.home)) {
    return QDir::cleanPath(user.musicFolder);
  }
  return QDir::cleanPath(user.home + "/Music");
}

}  // namespace varnell

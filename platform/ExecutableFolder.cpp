#include "platform/ExecutableFolder.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace varnell {

QString ExecutableFolder() { return QCoreApplication::applicationDirPath(); }

bool IsWritableFolder(const QString& folder) {
  if (folder.isEmpty()) return false;
  const QByteArray native = QFile::encodeName(folder);
  // X_OK as well: without search permission no file in the folder can be created either.
  return ::access(native.constData(), W_OK | X_OK) == 0 && QFileInfo(folder).isDir();
}

bool KeepsFilesBesideProgram(const QString& programFolder) {
  const bool installed = !QFileInfo::exists(programFolder + "/help.html") &&
                         QFileInfo::exists(programFolder + "/../share/varnell/help.html");
  return !installed && IsWritableFolder(programFolder);
}

QString HelpPagePath(const QString& programFolder) {
  for (const QString& candidate :
       {programFolder + "/help.html", programFolder + "/../share/varnell/help.html"}) {
    if (QFileInfo::exists(candidate)) return QDir::cleanPath(candidate);
  }
  return {};
}

}  // namespace varnell

#include "app/OutputFolderStore.h"

#include <QDir>

#include "platform/IniFile.h"

namespace varnell {

OutputFolderStore::OutputFolderStore(const QString& programFolder)
    : programFolder_(programFolder), storePath_(programFolder + "/bin/Path_Registration.ini") {}

QString OutputFolderStore::ReadOutputFolder() const {
  return ReadProfileString(storePath_, "Info", "path").value_or(QString());
}

bool OutputFolderStore::WriteOutputFolder(const QString& folder) const {
  return WriteProfileString(storePath_, "Info", "Path", folder);
}

QString OutputFolderStore::StartUpFolder() const {
  const QString stored = ReadOutputFolder();
  if (!stored.isEmpty()) return stored;
  const QString folder = programFolder_ + "/OutPut";
  if (!QDir(folder).exists()) QDir().mkdir(folder);
  return folder;
}

}  // namespace varnell

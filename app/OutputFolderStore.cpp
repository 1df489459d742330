#include "app/OutputFolderStore.h"

#include <QDir>
#include <QFileInfo>

#include "platform/ExecutableFolder.h"
#include "platform/IniFile.h"

namespace varnell {

namespace {
OutputFolderStore Choose(const QString& programFolder) {
  if (KeepsFilesBesideProgram(programFolder))
    return OutputFolderStore::BesideProgram(programFolder);
  return OutputFolderStore::ForUser(CurrentUserEnvironment());
}
}  // namespace

OutputFolderStore::OutputFolderStore(const QString& programFolder)
    : OutputFolderStore(Choose(programFolder)) {}

OutputFolderStore::OutputFolderStore(const QString& storePath, const QString& firstRunFolder,
                                     bool perUser)
    : storePath_(storePath), firstRunFolder_(firstRunFolder), perUser_(perUser) {}

OutputFolderStore OutputFolderStore::BesideProgram(const QString& programFolder) {
  return OutputFolderStore(programFolder + "/bin/Path_Registration.ini", programFolder + "/OutPut",
                           false);
}

OutputFolderStore OutputFolderStore::ForUser(const UserEnvironment& user) {
  return OutputFolderStore(ConfigFolder(user) + "/varnell/Path_Registration.ini",
                           MusicFolder(user) + "/Varnell", true);
}

QString OutputFolderStore::ReadOutputFolder() const {
  return ReadProfileString(storePath_, "Info", "path").value_or(QString());
}

bool OutputFolderStore::WriteOutputFolder(const QString& folder) const {
  // A portable copy may come without bin/: only bin/ itself is made beside the program, while
  // the user's configuration folder may lack its parents too.
  const QString storeFolder = QFileInfo(storePath_).path();
  if (!QFileInfo(storeFolder).isDir() &&
      !(perUser_ ? QDir().mkpath(storeFolder) : QDir().mkdir(storeFolder)))
    return false;
  return WriteProfileString(storePath_, "Info", "Path", folder);
}

QString OutputFolderStore::StartUpFolder() const {
  const QString stored = ReadOutputFolder();
  if (!stored.isEmpty()) return stored;
  if (!QDir(firstRunFolder_).exists()) {
    // Beside the program only OutPut itself is made, as always; ~/Music may be missing too.
    if (perUser_) {
      QDir().mkpath(firstRunFolder_);
    } else {
      QDir().mkdir(firstRunFolder_);
    }
  }
  return firstRunFolder_;
}

}  // namespace varnell

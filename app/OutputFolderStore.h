// The one setting kept between runs: the output folder, in an INI file (section "Info", key
// "path"). Two copies of the program may share it. Where it lives depends on the program's
// folder: a writable one (the build folder, a portable copy) keeps bin/Path_Registration.ini and
// the first-run OutPut folder beside the program; an installed program, whose folder is not
// writable, keeps varnell/Path_Registration.ini in the user's configuration folder and its
// outputs in Varnell in the user's music folder.
#pragma once

#include <QString>

#include "platform/UserFolders.h"

namespace varnell {

class OutputFolderStore {
 public:
  // Beside the program when its folder is writable, else in this user's folders.
  explicit OutputFolderStore(const QString& programFolder);
  static OutputFolderStore BesideProgram(const QString& programFolder);
  static OutputFolderStore ForUser(const UserEnvironment& user);

  const QString& storePath() const { return storePath_; }
  // The stored folder; empty when there is no store or it has no "path" key.
  QString ReadOutputFolder() const;
  // Remembers the folder, creating bin/ beside the program or varnell/ in the user's
  // configuration folder first; false when the store cannot be written.
  bool WriteOutputFolder(const QString& folder) const;
  // The folder a run starts with: the stored one, used even when it no longer exists, or else the
  // first-run folder, created when missing.
  QString StartUpFolder() const;

 private:
  OutputFolderStore(const QString& storePath, const QString& firstRunFolder, bool perUser);

  QString storePath_;
  QString firstRunFolder_;
  bool perUser_ = false;  // the user's folders: the parents are created on first use
};

}  // namespace varnell

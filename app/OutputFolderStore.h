// The one setting kept between runs: the output folder, in bin/Path_Registration.ini beside the
// program (section "Info", key "path"). Two copies of the program may share it.
#pragma once

#include <QString>

namespace varnell {

class OutputFolderStore {
 public:
  explicit OutputFolderStore(const QString& programFolder);

  const QString& storePath() const { return storePath_; }
  // The stored folder; empty when there is no store or it has no "path" key.
  QString ReadOutputFolder() const;
  // Remembers the folder; fails quietly (false) when bin/ beside the program is missing.
  bool WriteOutputFolder(const QString& folder) const;
  // The folder a run starts with: the stored one, used even when it no longer exists, or else
  // OutPut beside the program, created when missing.
  QString StartUpFolder() const;

 private:
  QString programFolder_;
  QString storePath_;
};

}  // namespace varnell

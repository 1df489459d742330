#include "engine/AbandonedTemporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include "engine/FileIdentity.h"
#include "engine/OutputNaming.h"
#include "engine/RowBoundary.h"
#include "engine/TemporaryOutputName.h"

namespace varnell {
namespace {

void RemoveIfAbandoned(int folder, const char* name) {
  // Only a regular file is opened at all: opening a device or a FIFO can have effects of its own.
  struct stat named {};
  if (::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode)) return;
  const int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat held {};
  // The lock is kept until the name is gone: the claim that created the file, had it come
  // between its creation and its lock, finds its name gone and takes another.
  if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      NameHoldsFile(folder, name, fd)) {
    ::unlinkat(folder, name, 0);
  }
  ::close(fd);
}

}  // namespace

void RemoveAbandonedTemporaries(const std::string& folder) {
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return;
  const int folderFd = ::dirfd(listing);
  while (const dirent* entry = ::readdir(listing)) {
    const bool maybeRegular = entry->d_type == DT_REG || entry->d_type == DT_UNKNOWN;
    if (maybeRegular && IsTemporaryOutputName(entry->d_name)) {
      RemoveIfAbandoned(folderFd, entry->d_name);
    }
  }
  ::closedir(listing);
}

void RemoveAbandonedTemporariesOfJob(const Job& job) {
  std::set<std::string> folders;
  for (int row = 0; row < static_cast<int>(job.rows.size()); ++row) {
    if (!RowRefusal(job, row)) folders.insert(OutputFolderOf(job.rows[row].outputPath));
  }
  for (const std::string& folder : folders) RemoveAbandonedTemporaries(folder);
}

}  // namespace varnell

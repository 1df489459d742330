#include "engine/FileIdentity.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace varnell {

bool NameHoldsFile(int folder, const char* name, int descriptor) {
  struct stat named {};
  struct stat held {};
  return ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         ::fstat(descriptor, &held) == 0 && named.st_dev == held.st_dev &&
         named.st_ino == held.st_ino;
}

}  // namespace varnell
